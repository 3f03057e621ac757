#include "progress/progresswindow.h"

#include "progress/factgrid.h"
#include "progress/gameschart.h"
#include "progress/progressreport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace progress {
namespace {

QString shownAs(const QString &name)
{
    return name.isEmpty() ? QStringLiteral("(senza nome)") : name;
}

QLabel *errorLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b71c1c;"));
    label->setFocusPolicy(Qt::TabFocus);
    return label;
}

} // namespace

ProgressWindow::ProgressWindow(const QString &historyFile, const QString &currentName, const QString &writeError,
                               QWidget *parent)
    : QDialog(parent), m_history(readHistory(historyFile)), m_names(new QComboBox(this)), m_summary(new QLabel(this)),
      m_chart(new GamesChart(this)), m_grid(new FactGrid(this))
{
    setObjectName(QStringLiteral("progressWindow"));
    setWindowTitle(QStringLiteral("I tuoi progressi"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QVBoxLayout(this);
    QStringList errors;
    for (const QString &error : {writeError, m_history.error}) {
        if (!error.isEmpty()) {
            layout->addWidget(errorLabel(error, this));
            errors += error;
        }
    }
    // A screen reader says the window's description as the window opens, before the focus reaches the labels.
    setAccessibleDescription(errors.join(u' '));

    auto *nameRow = new QHBoxLayout;
    auto *nameLabel = new QLabel(QStringLiteral("&Nome:"), this);
    nameLabel->setBuddy(m_names);
    m_names->setObjectName(QStringLiteral("nameChoice"));
    for (const QString &name : namesFor(m_history.games, currentName))
        m_names->addItem(shownAs(name), name);
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
    resize(960, 680);
}

QString ProgressWindow::shownName() const
{
    return m_names->currentData().toString();
}

void ProgressWindow::showName(int index)
{
    const QList<GameResult> games = lastGamesOf(m_history.games, m_names->itemData(index).toString());
    m_chart->showGames(games);
    m_grid->showAnswers(factTotals(games));
    QString summary = games.isEmpty() ? QStringLiteral("Nessuna partita finita con questo nome.")
                                      : QStringLiteral("Ultime %1 partite.").arg(games.size());
    if (m_history.skippedLines > 0)
        summary += QStringLiteral(" Righe dello storico illeggibili, saltate: %1.").arg(m_history.skippedLines);
    m_summary->setText(summary);
}

} // namespace progress
