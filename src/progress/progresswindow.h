#pragma once

#include "progress/historyfile.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;

namespace progress {

class FactGrid;
class GamesChart;

/// "I tuoi progressi": what one child should practise, their last games as a chart and the ten facts as a coloured
/// grid, for any child found in the history. It reads the history once, when it is made.
class ProgressWindow : public QDialog
{
    Q_OBJECT
public:
    /// `currentName`'s child comes first in the choice of names, when there is one; `writeError` is why this run's
    /// game could not be added to the history, empty when it could. A history that cannot be written now is said as
    /// well.
    ProgressWindow(const QString &historyFile, const std::optional<QString> &currentName, const QString &writeError,
                   QWidget *parent = nullptr);

    /// The name whose games are shown.
    QString shownName() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showName(int index);

    History m_history;
    QString m_errors;
    QLabel *m_verdict = nullptr;
    QComboBox *m_names = nullptr;
    QLabel *m_summary = nullptr;
    GamesChart *m_chart = nullptr;
    FactGrid *m_grid = nullptr;
};

} // namespace progress
