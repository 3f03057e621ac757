#include "progress/factgrid.h"

#include "progress/progressreport.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>

namespace progress {
namespace {

constexpr int columns = 5;
constexpr int cellWidth = 120;
constexpr int cellHeight = 70;

} // namespace

QColor colourOf(Confidence confidence)
{
    // Light tones, so that black text reads well on each of them.
    switch (confidence) {
    case Confidence::Sure:
        return QColor(0x66, 0xbb, 0x6a);
    case Confidence::Unsure:
        return QColor(0xff, 0xd5, 0x4f);
    case Confidence::Review:
        return QColor(0xef, 0x9a, 0x9a);
    case Confidence::Untried:
        break;
    }
    return QColor(0xe0, 0xe0, 0xe0);
}

FactGrid::FactGrid(QWidget *parent) : QTableWidget(factCount / columns, columns, parent)
{
    setObjectName(QStringLiteral("factGrid"));
    setAccessibleName(QStringLiteral("La tabellina del 7, fatto per fatto"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(cellWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setDefaultSectionSize(cellHeight);
    setEditTriggers(NoEditTriggers);
    // The current cell shows as a focus frame: a selection colour would hide what the cell's colour says.
    setSelectionMode(NoSelection);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabKeyNavigation(false);
    for (int fact = 0; fact < factCount; ++fact) {
        auto *cell = new QTableWidgetItem;
        cell->setTextAlignment(Qt::AlignCenter);
        cell->setForeground(Qt::black);
        setItem(fact / columns, fact % columns, cell);
    }
    setCurrentCell(0, 0);
}

void FactGrid::showAnswers(const std::array<Answers, factCount> &facts,
                           const std::array<Confidence, factCount> &confidences)
{
    for (int fact = 0; fact < factCount; ++fact) {
        const Answers answers = facts[fact];
        const Confidence confidence = confidences[fact];
        QTableWidgetItem *cell = item(fact / columns, fact % columns);
        cell->setText(QStringLiteral("7 × %1\n✓ %2   ✗ %3\n%4")
                          .arg(fact + 1)
                          .arg(answers.right)
                          .arg(answers.wrong)
                          .arg(wordFor(confidence)));
        cell->setData(
            Qt::AccessibleTextRole,
            QStringLiteral("7 per %1: %2, %3").arg(fact + 1).arg(answersInWords(answers), wordFor(confidence)));
        cell->setBackground(colourOf(confidence));
    }
}

QSize FactGrid::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return {columns * cellWidth + frame, rowCount() * cellHeight + frame};
}

QWidget *createConfidenceLegend(QWidget *parent)
{
    auto *legend = new QWidget(parent);
    auto *layout = new QHBoxLayout(legend);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const Confidence confidence : allConfidences) {
        auto *swatch = new QLabel(wordFor(confidence), legend);
        swatch->setStyleSheet(
            QStringLiteral("background: %1; color: black; padding: 2px 8px;").arg(colourOf(confidence).name()));
        layout->addWidget(swatch);
    }
    layout->addStretch();
    return legend;
}

} // namespace progress
