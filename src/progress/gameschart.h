#pragma once

#include "progress/gameresult.h"

#include <QWidget>

class QBarSet;
class QCategoryAxis;
class QChartView;
class QTableWidget;
class QValueAxis;

namespace progress {

/// Right and wrong answers game by game, oldest left, as bars over the games' dates, and beside them the same values
/// in a table that the keyboard and a screen reader reach (the chart itself is only a picture to them).
class GamesChart : public QWidget
{
    Q_OBJECT
public:
    explicit GamesChart(QWidget *parent = nullptr);

    /// Shows `games`, in date order.
    void showGames(const QList<GameResult> &games);

    /// The chart as it shows now, drawn at `size` for paper.
    QImage picture(QSize size) const;

private:
    QChartView *m_view = nullptr;
    QBarSet *m_right = nullptr;
    QBarSet *m_wrong = nullptr;
    QCategoryAxis *m_dates = nullptr;
    QValueAxis *m_counts = nullptr;
    QTableWidget *m_values = nullptr;
};

} // namespace progress
