#include "progress/progresswindow.h"

#include "progress/factgrid.h"
#include "progress/gameschart.h"
#include "progress/progressreport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace progress {
namespace {

// A name as long as the name box allows must not widen the window past a small screen.
constexpr int nameWidthAtMost = 320;
constexpr QSize preferredSize{960, 680};
// A window manager's frame around the window: unknown until the window is shown, and never more than this.
constexpr QSize frameAllowance{16, 48};

QString shownAs(const QString &name)
{
    return name.isEmpty() ? QStringLiteral("(senza nome)") : name;
}

QLabel *textLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFocusPolicy(Qt::TabFocus);
    return label;
}

} // namespace

ProgressWindow::ProgressWindow(const QString &historyFile, const std::optional<QString> &currentName,
                               const QString &writeError, QWidget *parent)
    : QDialog(parent), m_history(readHistory(historyFile)), m_verdict(textLabel(QString(), this)),
      m_names(new QComboBox(this)), m_summary(new QLabel(this)), m_chart(new GamesChart(this)),
      m_grid(new FactGrid(this))
{
    setObjectName(QStringLiteral("progressWindow"));
    setWindowTitle(QStringLiteral("I tuoi progressi"));

    auto *layout = new QVBoxLayout(this);
    m_verdict->setObjectName(QStringLiteral("verdict"));
    QFont verdictFont = m_verdict->font();
    verdictFont.setBold(true);
    verdictFont.setPointSizeF(verdictFont.pointSizeF() * 1.25);
    m_verdict->setFont(verdictFont);
    layout->addWidget(m_verdict);

    // This run's failed append, or else what would stop the next one.
    const QString unwritable = writeError.isEmpty() ? writeProblem(historyFile) : writeError;
    QStringList errors;
    for (const QString &error : {unwritable, m_history.error}) {
        if (!error.isEmpty()) {
            QLabel *label = textLabel(error, this);
            label->setStyleSheet(QStringLiteral("color: #b71c1c;"));
            layout->addWidget(label);
            errors += error;
        }
    }
    m_errors = errors.join(u' ');

    auto *nameRow = new QHBoxLayout;
    auto *nameLabel = new QLabel(QStringLiteral("&Nome:"), this);
    nameLabel->setBuddy(m_names);
    m_names->setObjectName(QStringLiteral("nameChoice"));
    m_names->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_names->setMinimumContentsLength(12);
    for (const QString &name : namesFor(m_history.games, currentName)) {
        m_names->addItem(fontMetrics().elidedText(shownAs(name), Qt::ElideRight, nameWidthAtMost), name);
        m_names->setItemData(m_names->count() - 1, shownAs(name), Qt::AccessibleTextRole);
        m_names->setItemData(m_names->count() - 1, shownAs(name), Qt::ToolTipRole);
    }
    m_summary->setWordWrap(true);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_names);
    nameRow->addWidget(m_summary, 1);
    layout->addLayout(nameRow);

    layout->addWidget(m_chart, 1);
    layout->addWidget(new QLabel(QStringLiteral("La tabellina del 7, fatto per fatto, nelle stesse partite:"), this));
    layout->addWidget(m_grid);
    layout->addWidget(createConfidenceLegend(this));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(QStringLiteral("&Chiudi"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeProgress"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_names, &QComboBox::currentIndexChanged, this, &ProgressWindow::showName);
    showName(0);
    m_names->setFocus();
    resize(preferredSize);
}

QString ProgressWindow::shownName() const
{
    return m_names->currentData().toString();
}

void ProgressWindow::showEvent(QShowEvent *event)
{
    // Never wider or taller than the screen it opens on, its close button included.
    const QSize room = screen()->availableGeometry().size() - frameAllowance;
    setMaximumSize(room);
    resize(size().boundedTo(room));
    QDialog::showEvent(event);
}

void ProgressWindow::showName(int index)
{
    const QList<GameResult> games = lastGamesOf(m_history.games, m_names->itemData(index).toString());
    m_chart->showGames(games);
    m_grid->showAnswers(factTotals(games), factConfidences(games));
    const QString verdict = verdictFor(games);
    m_verdict->setText(verdict);
    // Qt has no announcement: a screen reader says the window's description as it opens, and the focused choice's
    // when it changes.
    setAccessibleDescription(m_errors.isEmpty() ? verdict : verdict + QStringLiteral(". ") + m_errors);
    m_names->setAccessibleDescription(verdict);
    QString summary = games.isEmpty() ? QString() : gamesCountInWords(games.size()) + u'.';
    if (m_history.skippedLines > 0)
        summary += QStringLiteral(" Righe dello storico illeggibili, saltate: %1.").arg(m_history.skippedLines);
    m_summary->setText(summary.trimmed());
}

} // namespace progress
