#pragma once

#include "progress/progressreport.h"

#include <QTableWidget>

namespace progress {

/// Every child of the history as a row: the name, the ten facts coloured and in words, how many facts to practise,
/// the games played and the last one's date. Each cell's accessible text names its child and column, so a screen
/// reader moving across the table knows where it is.
class ClassTable : public QTableWidget
{
    Q_OBJECT
public:
    explicit ClassTable(QWidget *parent = nullptr);

    /// Shows `children`, in their order.
    void showChildren(const QList<ChildSummary> &children);
};

} // namespace progress
