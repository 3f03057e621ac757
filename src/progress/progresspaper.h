#pragma once

#include "progress/progressreport.h"

#include <QImage>

class QPagedPaintDevice;

/// The progress window's views on paper: A4 pages whose words say what the screen's colours say, so that they read
/// in black and white too.
namespace progress {

/// An A4 page upright, for one child.
void setChildPage(QPagedPaintDevice &device);

/// An A4 page on its side, for the class's many columns.
void setClassPage(QPagedPaintDevice &device);

/// One child's page: the name, the period, the verdict, `chart` (a picture of their games), the totals of `games`
/// and the ten facts with their colours and words.
void printChild(QPagedPaintDevice &device, const QString &name, const QList<GameResult> &games, const QImage &chart);

/// The class, one line per child, on as many pages as it needs, each with the columns' names.
void printClass(QPagedPaintDevice &device, const QList<ChildSummary> &children);

} // namespace progress
