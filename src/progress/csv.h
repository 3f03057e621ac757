#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>

/// Comma-separated values as RFC 4180 writes them, for fields that never hold a line break: each record is one
/// line, so that a damaged line can never swallow the lines after it.
namespace progress::csv {

/// One record as a line of UTF-8 ending in CR LF; a field is quoted when it holds a comma, a quote, a line break or
/// blanks at either end, with its quotes doubled.
QByteArray line(const QStringList &fields);

/// The fields of one line (its line end already removed); nothing when the line is not well formed.
std::optional<QStringList> fields(QByteArrayView line);

/// The lines of `text`, without their line ends (CR LF or LF). `torn` receives the bytes after the last line end:
/// a line whose writing was cut short.
QList<QByteArrayView> lines(QByteArrayView text, QByteArrayView *torn);

} // namespace progress::csv
