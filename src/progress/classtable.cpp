#include "progress/classtable.h"

#include "progress/factgrid.h"

#include <QHeaderView>

namespace progress {
namespace {

constexpr int factWidth = 64;
const QStringList afterFacts{QStringLiteral("Da ripassare"), QStringLiteral("Partite"),
                             QStringLiteral("Ultima partita")};

QStringList columnNames()
{
    QStringList names{QStringLiteral("Nome")};
    for (int fact = 1; fact <= factCount; ++fact)
        names += QStringLiteral("7 × %1").arg(fact);
    return names + afterFacts;
}

} // namespace

ClassTable::ClassTable(QWidget *parent) : QTableWidget(0, int(columnNames().size()), parent)
{
    setObjectName(QStringLiteral("classTable"));
    setAccessibleName(QStringLiteral("Tutta la classe, fatto per fatto"));
    setHorizontalHeaderLabels(columnNames());
    verticalHeader()->hide();
    // The names take what the facts and the counts leave.
    horizontalHeader()->setMinimumSectionSize(factWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int fact = 1; fact <= factCount; ++fact) {
        horizontalHeader()->setSectionResizeMode(fact, QHeaderView::Fixed);
        horizontalHeader()->resizeSection(fact, factWidth);
    }
    setEditTriggers(NoEditTriggers);
    // As in the child's grid: a selection colour would hide what the cell's colour says.
    setSelectionMode(NoSelection);
    setWordWrap(true);
    setTextElideMode(Qt::ElideRight);
    setTabKeyNavigation(false);
}

void ClassTable::showChildren(const QList<ChildSummary> &children)
{
    const QStringList columns = columnNames();
    setRowCount(int(children.size()));
    for (int row = 0; row < children.size(); ++row) {
        const ChildSummary &child = children[row];
        QStringList texts{child.name};
        for (const Confidence confidence : child.confidences)
            texts += wordFor(confidence);
        texts += {QString::number(child.factsToPractise()), QString::number(child.games), dayOf(child.lastGame)};
        for (int column = 0; column < texts.size(); ++column) {
            auto *cell = new QTableWidgetItem(texts[column]);
            // The name column's own text is the name, whole however it is elided.
            cell->setData(Qt::AccessibleTextRole,
                          column == 0 ? child.name
                                      : QStringLiteral("%1, %2: %3").arg(child.name, columns[column], texts[column]));
            cell->setToolTip(column == 0 ? child.name : QString());
            if (column >= 1 && column <= factCount) {
                cell->setBackground(colourOf(child.confidences[column - 1]));
                cell->setForeground(Qt::black);
                cell->setTextAlignment(Qt::AlignCenter);
            }
            setItem(row, column, cell);
        }
    }
    resizeRowsToContents();
    if (rowCount() > 0)
        setCurrentCell(0, 0);
}

} // namespace progress
