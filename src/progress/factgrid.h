#pragma once

#include "progress/factconfidence.h"
#include "progress/gameresult.h"

#include <QTableWidget>

namespace progress {

/// The ten facts 7 × 1 … 7 × 10 in two rows, each cell with its right and wrong answers and coloured by how well the
/// fact is known now. The cells' accessible names say all of it, so a screen reader reads what the colours show.
class FactGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit FactGrid(QWidget *parent = nullptr);

    /// Shows the answers to each fact and the confidence in it.
    void showAnswers(const std::array<Answers, factCount> &facts, const std::array<Confidence, factCount> &confidences);

    QSize sizeHint() const override;
};

/// The colour a fact's cell has at `confidence`, on screen and on paper.
QColor colourOf(Confidence confidence);

/// The colours' meanings, one swatch and word per confidence.
QWidget *createConfidenceLegend(QWidget *parent);

} // namespace progress
