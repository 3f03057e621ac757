#include "progress/gameschart.h"

#include "progress/progressreport.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QGraphicsLayout>
#include <QHeaderView>
#include <QImage>
#include <QTableWidget>
#include <QValueAxis>

#include <algorithm>
#include <array>

namespace progress {
namespace {

constexpr int chartMinimumWidth = 400;
// What the value axis, the margins and the frame take from the chart's width at most.
constexpr int chartChromeWidth = 100;

/// The value axis: from 0 to a round top in whole steps, at most five of them.
struct ValueScale
{
    int top = 1;
    int step = 1;
};

ValueScale scaleFor(int highest)
{
    constexpr int stepsAtMost = 5;
    for (int power = 1;; power *= 10) {
        for (const int step : std::array{power, 2 * power, 5 * power}) {
            if (step * stepsAtMost >= highest)
                return {std::max(1, (highest + step - 1) / step) * step, step};
        }
    }
}

} // namespace

GamesChart::GamesChart(QWidget *parent)
    : QWidget(parent), m_view(new QChartView(this)), m_right(new QBarSet(QStringLiteral("Giuste"), this)),
      m_wrong(new QBarSet(QStringLiteral("Sbagliate"), this)), m_dates(new QCategoryAxis(this)),
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
    // Only some games carry a date under their bars, each at its game: a date between two games would mislead.
    m_dates->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_dates->setLabelsAngle(-90);
    m_dates->setGridLineVisible(false);
    m_counts->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(m_dates, Qt::AlignBottom);
    chart->addAxis(m_counts, Qt::AlignLeft);
    series->attachAxis(m_dates);
    series->attachAxis(m_counts);
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setObjectName(QStringLiteral("gamesChart"));
    m_view->setMinimumSize(chartMinimumWidth, 300);

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
    QStringList spoken;
    int highest = 0;
    for (int row = 0; row < games.size(); ++row) {
        const GameResult &game = games[row];
        *m_right << game.total.right;
        *m_wrong << game.total.wrong;
        highest = std::max({highest, game.total.right, game.total.wrong});
        const QStringList cells{fullDateOf(game.ended), QString::number(game.total.right),
                                QString::number(game.total.wrong)};
        for (int column = 0; column < cells.size(); ++column)
            m_values->setItem(row, column, new QTableWidgetItem(cells[column]));
        spoken += fullDateOf(game.ended) + QStringLiteral(": ") + answersInWords(game.total);
    }

    // Dates stand upright, one line high across the axis, with a line's room between two: as many as the narrowest
    // chart holds, the latest game's always among them.
    for (const QString &label : m_dates->categoriesLabels())
        m_dates->remove(label);
    const int labelSpacing = 2 * m_view->fontMetrics().height();
    const int labelsAtMost = std::max(1, (chartMinimumWidth - chartChromeWidth) / labelSpacing);
    const int every = std::max<int>(1, int((games.size() + labelsAtMost - 1) / labelsAtMost));
    const QStringList labels = dateLabels(games, every);
    m_dates->setStartValue(-0.5);
    for (int game = 0; game < labels.size(); ++game) {
        if (!labels[game].isEmpty() && !m_dates->categoriesLabels().contains(labels[game]))
            m_dates->append(labels[game], game);
    }
    m_dates->setRange(-0.5, std::max<qsizetype>(1, games.size()) - 0.5);

    const ValueScale scale = scaleFor(highest);
    m_counts->setRange(0, scale.top);
    m_counts->setTickCount(scale.top / scale.step + 1);

    m_view->setAccessibleName(games.isEmpty() ? QStringLiteral("Grafico delle partite: nessuna partita")
                                              : QStringLiteral("Grafico: %1").arg(gamesCountInWords(games.size())));
    m_view->setAccessibleDescription(spoken.join(QStringLiteral("; ")));
}

QImage GamesChart::picture(QSize size) const
{
    // Laid out again at the page's size, so that its labels fit the page, then given back its own.
    QChart *chart = m_view->chart();
    const QSizeF shown = chart->size();
    chart->resize(size);
    // Hatched, the wrong answers stay apart from the right ones on a page printed in black and white.
    const QBrush wrongOnScreen = m_wrong->brush();
    m_wrong->setBrush(QBrush(wrongOnScreen.color().darker(), Qt::DiagCrossPattern));
    chart->layout()->activate();
    constexpr int sharpness = 2;
    QImage picture(size * sharpness, QImage::Format_RGB32);
    picture.setDevicePixelRatio(sharpness);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        m_view->scene()->render(&painter, QRectF(QPointF(), size), chart->sceneBoundingRect());
    }
    m_wrong->setBrush(wrongOnScreen);
    chart->resize(shown);
    chart->layout()->activate();
    return picture;
}

} // namespace progress
