#include "progress/progresswindow.h"

#include "progress/classtable.h"
#include "progress/factgrid.h"
#include "progress/gameschart.h"
#include "progress/progresspaper.h"
#include "progress/progressreport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace progress {
namespace {

// A name as long as the name box allows must not widen the window past a small screen.
constexpr int nameWidthAtMost = 320;
// Wide enough for the class view's fourteen columns.
constexpr QSize preferredSize{1120, 680};
// A window manager's frame around the window: unknown until the window is shown, and never more than this.
constexpr QSize frameAllowance{16, 48};
// The chart as the page shows it, in the chart's own pixels: wider than the window's, as the page is.
constexpr QSize chartOnPaper{900, 380};
// Room for the rest of a PDF's file name within the 255 bytes a file name may have.
constexpr int nameInFileNameAtMost = 100;

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

QString namesInWords(qsizetype names)
{
    return names == 1 ? QStringLiteral("1 nome") : QStringLiteral("%1 nomi").arg(names);
}

QWidget *childView(GamesChart *chart, FactGrid *grid, QWidget *parent)
{
    auto *view = new QWidget(parent);
    auto *layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart, 1);
    layout->addWidget(new QLabel(QStringLiteral("La tabellina del 7, fatto per fatto, nelle stesse partite:"), view));
    layout->addWidget(grid);
    layout->addWidget(createConfidenceLegend(view));
    return view;
}

QWidget *classView(QComboBox *order, ClassTable *table, QWidget *parent)
{
    auto *view = new QWidget(parent);
    auto *layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *orderRow = new QHBoxLayout;
    auto *orderLabel = new QLabel(QStringLiteral("&Ordina per:"), view);
    orderLabel->setBuddy(order);
    order->setObjectName(QStringLiteral("classOrder"));
    order->addItem(QStringLiteral("nome"), QVariant::fromValue(ClassOrder::ByName));
    order->addItem(QStringLiteral("fatti da ripassare"), QVariant::fromValue(ClassOrder::ByFactsToPractise));
    orderRow->addWidget(orderLabel);
    orderRow->addWidget(order);
    orderRow->addStretch();
    layout->addLayout(orderRow);
    layout->addWidget(table, 1);
    layout->addWidget(createConfidenceLegend(view));
    return view;
}

} // namespace

ProgressWindow::ProgressWindow(const QString &historyFile, const std::optional<QString> &currentName,
                               const QString &writeError, QWidget *parent)
    : QDialog(parent), m_history(readHistory(historyFile)), m_verdict(textLabel(QString(), this)),
      m_names(new QComboBox(this)), m_summary(new QLabel(this)), m_views(new QStackedWidget(this)),
      m_chart(new GamesChart(this)), m_grid(new FactGrid(this)), m_classOrder(new QComboBox(this)),
      m_class(new ClassTable(this))
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

    QStringList errors;
    for (const QString &error : {writeError, m_history.error}) {
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
    // The class has no name: its item's data is empty, which no child's is. A history of no one has no class.
    if (m_names->count() > 0) {
        m_names->insertSeparator(m_names->count());
        m_names->addItem(QStringLiteral("Tutta la classe"));
    }
    m_summary->setWordWrap(true);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_names);
    nameRow->addWidget(m_summary, 1);
    layout->addLayout(nameRow);

    m_views->addWidget(childView(m_chart, m_grid, m_views));
    m_views->addWidget(classView(m_classOrder, m_class, m_views));
    layout->addWidget(m_views, 1);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *print = buttons->addButton(QStringLiteral("&Stampa…"), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("printProgress"));
    connect(print, &QPushButton::clicked, this, &ProgressWindow::print);
    // Enter still closes the window, as before these buttons came.
    print->setAutoDefault(false);
    QPushButton *save = buttons->addButton(QStringLiteral("Salva come &PDF…"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveProgressAsPdf"));
    connect(save, &QPushButton::clicked, this, &ProgressWindow::saveAsPdf);
    save->setAutoDefault(false);
    QPushButton *close = buttons->addButton(QStringLiteral("&Chiudi"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeProgress"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_names, &QComboBox::currentIndexChanged, this, &ProgressWindow::showName);
    connect(m_classOrder, &QComboBox::currentIndexChanged, this, &ProgressWindow::showClass);
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
    if (showsClass()) {
        showClass();
        return;
    }
    m_views->setCurrentIndex(0);
    m_games = lastGamesOf(m_history.games, m_names->itemData(index).toString());
    m_chart->showGames(m_games);
    m_grid->showAnswers(factTotals(m_games), factConfidences(m_games));
    showVerdict(verdictFor(m_games), m_games.isEmpty() ? QString() : gamesCountInWords(m_games.size()) + u'.');
}

void ProgressWindow::showClass()
{
    if (!showsClass())
        return;
    m_views->setCurrentIndex(1);
    const QList<ChildSummary> children = classSummary(m_history.games, m_classOrder->currentData().value<ClassOrder>());
    m_class->showChildren(children);
    const auto practising = std::count_if(children.cbegin(), children.cend(),
                                          [](const ChildSummary &child) { return child.factsToPractise() > 0; });
    showVerdict(QStringLiteral("Tutta la classe: %1, %2 con fatti da ripassare")
                    .arg(namesInWords(children.size()))
                    .arg(practising),
                QString());
}

void ProgressWindow::showVerdict(const QString &verdict, QString summary)
{
    m_verdict->setText(verdict);
    // Qt has no announcement: a screen reader says the window's description as it opens, and the focused choice's
    // when it changes.
    setAccessibleDescription(m_errors.isEmpty() ? verdict : verdict + QStringLiteral(". ") + m_errors);
    m_names->setAccessibleDescription(verdict);
    if (m_history.skippedLines > 0)
        summary += QStringLiteral(" Righe dello storico illeggibili, saltate: %1.").arg(m_history.skippedLines);
    m_summary->setText(summary.trimmed());
}

bool ProgressWindow::showsClass() const
{
    return m_names->currentIndex() >= 0 && !m_names->currentData().isValid();
}

void ProgressWindow::setPageFor(QPagedPaintDevice &device) const
{
    if (showsClass())
        setClassPage(device);
    else
        setChildPage(device);
}

void ProgressWindow::printTo(QPagedPaintDevice &device) const
{
    if (showsClass())
        printClass(device, classSummary(m_history.games, m_classOrder->currentData().value<ClassOrder>()));
    else
        printChild(device, shownAs(shownName()), m_games, m_chart->picture(chartOnPaper));
}

void ProgressWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    setPageFor(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

void ProgressWindow::saveAsPdf()
{
    QString name = showsClass() ? QStringLiteral("della classe") : shownName().trimmed().left(nameInFileNameAtMost);
    name.replace(u'/', u'-');
    const QString suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                  .filePath(QStringLiteral("Progressi %1.pdf").arg(name));
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salva come PDF"), suggested,
                                                      QStringLiteral("Documenti PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    // Written aside and put in place whole, so that a failure leaves any older file as it was.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter writer(&file);
        writer.setTitle(windowTitle());
        setPageFor(writer);
        printTo(writer);
    }
    if (!file.commit()) {
        QMessageBox::warning(this, QStringLiteral("Salva come PDF"),
                             QStringLiteral("Impossibile salvare il PDF in %1: %2").arg(path, file.errorString()));
    }
}

} // namespace progress
