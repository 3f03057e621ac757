#pragma once

#include "progress/historyfile.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QStackedWidget;

namespace progress {

class ClassTable;
class FactGrid;
class GamesChart;

/// "I tuoi progressi": what one child should practise, their last games as a chart and the ten facts as a coloured
/// grid, for any child found in the history, or the whole class at once; either printed or saved as a PDF. It reads
/// the history once, when it is made.
class ProgressWindow : public QDialog
{
    Q_OBJECT
public:
    /// `currentName`'s child comes first in the choice of names, when there is one; `writeError`, said at the top, is
    /// what keeps games out of the history (see checkAppendable()), empty when nothing does. Nothing is written or made
    /// on disk.
    ProgressWindow(const QString &historyFile, const std::optional<QString> &currentName, const QString &writeError,
                   QWidget *parent = nullptr);

    /// The name whose games are shown; empty for the whole class.
    QString shownName() const;

    /// Sets the page that what is shown needs (A4, upright for a child, on its side for the class).
    void setPageFor(QPagedPaintDevice &device) const;

    /// Prints what is shown on `device`, whose page is set.
    void printTo(QPagedPaintDevice &device) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showName(int index);
    void showClass();
    bool showsClass() const;
    /// Puts `verdict` first, for the eye and the screen reader, and `summary` beside the names.
    void showVerdict(const QString &verdict, QString summary);
    void print();
    void saveAsPdf();

    History m_history;
    /// The child's games shown, in date order.
    QList<GameResult> m_games;
    QString m_errors;
    QLabel *m_verdict = nullptr;
    QComboBox *m_names = nullptr;
    QLabel *m_summary = nullptr;
    QStackedWidget *m_views = nullptr;
    GamesChart *m_chart = nullptr;
    FactGrid *m_grid = nullptr;
    QComboBox *m_classOrder = nullptr;
    ClassTable *m_class = nullptr;
};

} // namespace progress
