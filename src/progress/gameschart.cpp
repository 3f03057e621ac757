#include "progress/gameschart.h"

#include "progress/progressreport.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QValueAxis>

#include <algorithm>

namespace progress {
namespace {

QString dateOf(const GameResult &game)
{
    return game.ended.toString(QStringLiteral("dd/MM HH:mm"));
}

// The axis has room for the day only; the table beside the chart gives the time as well.
QString dayOf(const GameResult &game)
{
    return game.ended.toString(QStringLiteral("dd/MM"));
}

} // namespace

GamesChart::GamesChart(QWidget *parent)
    : QWidget(parent), m_view(new QChartView(this)), m_right(new QBarSet(QStringLiteral("Giuste"), this)),
      m_wrong(new QBarSet(QStringLiteral("Sbagliate"), this)), m_dates(new QBarCategoryAxis(this)),
      m_counts(new QValueAxis(this)), m_values(new QTableWidget(0, 3, this))
{
    m_right->setColor(QColor(0x43, 0xa0, 0x47));
    m_wrong->setColor(QColor(0xe5, 0x39, 0x35));
    auto *series = new QBarSeries(this);
    series->append(m_right);
    series->append(m_wrong);

    QChart *chart = m_view->chart();
    chart->setTitle(QStringLiteral("Risposte giuste e sbagliate, partita per partita"));
    chart->addSeries(series);
    m_dates->setLabelsAngle(-90);
    m_counts->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(m_dates, Qt::AlignBottom);
    chart->addAxis(m_counts, Qt::AlignLeft);
    series->attachAxis(m_dates);
    series->attachAxis(m_counts);
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setObjectName(QStringLiteral("gamesChart"));
    m_view->setMinimumSize(520, 300);

    m_values->setObjectName(QStringLiteral("gameValues"));
    m_values->setAccessibleName(QStringLiteral("Valori del grafico, partita per partita"));
    m_values->setHorizontalHeaderLabels(
        {QStringLiteral("Partita"), QStringLiteral("Giuste"), QStringLiteral("Sbagliate")});
    m_values->verticalHeader()->hide();
    m_values->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_values->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_values->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_values->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_values->setTabKeyNavigation(false);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_values);
}

void GamesChart::showGames(const QList<GameResult> &games)
{
    m_right->remove(0, m_right->count());
    m_wrong->remove(0, m_wrong->count());
    m_values->setRowCount(int(games.size()));
    QStringList dates;
    QStringList spoken;
    int highest = 0;
    for (int row = 0; row < games.size(); ++row) {
        const GameResult &game = games[row];
        // Two games on one day would share a category and one's bars would hide the other's.
        QString date = dayOf(game);
        while (dates.contains(date))
            date += u' ';
        dates += date;
        *m_right << game.total.right;
        *m_wrong << game.total.wrong;
        highest = std::max({highest, game.total.right, game.total.wrong});
        const QStringList cells{dateOf(game), QString::number(game.total.right), QString::number(game.total.wrong)};
        for (int column = 0; column < cells.size(); ++column)
            m_values->setItem(row, column, new QTableWidgetItem(cells[column]));
        spoken += dateOf(game) + QStringLiteral(": ") + answersInWords(game.total);
    }
    m_dates->setCategories(dates);
    m_counts->setRange(0, std::max(highest, 1));
    m_counts->applyNiceNumbers();
    m_view->setAccessibleName(games.isEmpty() ? QStringLiteral("Grafico delle partite: nessuna partita")
                                              : QStringLiteral("Grafico delle ultime %1 partite").arg(games.size()));
    m_view->setAccessibleDescription(spoken.join(QStringLiteral("; ")));
}

} // namespace progress
