#include "progress/csv.h"

namespace progress::csv {

QByteArray line(const QStringList &fields)
{
    QByteArray text;
    for (const QString &field : fields) {
        if (!text.isEmpty())
            text += ',';
        QByteArray bytes = field.toUtf8();
        const bool quoted = bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') ||
                            bytes.contains('\n') || (!bytes.isEmpty() && (bytes.front() == ' ' || bytes.back() == ' '));
        if (quoted)
            bytes = '"' + bytes.replace('"', "\"\"") + '"';
        text += bytes;
    }
    return text + "\r\n";
}

std::optional<QStringList> fields(QByteArrayView line)
{
    QStringList result;
    QByteArray field;
    qsizetype i = 0;
    for (;;) {
        field.clear();
        if (i < line.size() && line[i] == '"') {
            // A quoted field runs to the quote that is not doubled, and must end the field there.
            for (++i;; ++i) {
                if (i >= line.size())
                    return std::nullopt;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"')
                        ++i;
                    else
                        break;
                }
                field += line[i];
            }
            ++i;
            if (i < line.size() && line[i] != ',')
                return std::nullopt;
        } else {
            const qsizetype comma = line.indexOf(',', i);
            const qsizetype end = comma < 0 ? line.size() : comma;
            field = line.sliced(i, end - i).toByteArray();
            if (field.contains('"'))
                return std::nullopt;
            i = end;
        }
        result += QString::fromUtf8(field);
        if (i >= line.size())
            return result;
        ++i; // the comma
    }
}

QList<QByteArrayView> lines(QByteArrayView text, QByteArrayView *torn)
{
    QList<QByteArrayView> result;
    qsizetype start = 0;
    for (qsizetype end = text.indexOf('\n'); end >= 0; end = text.indexOf('\n', start)) {
        QByteArrayView line = text.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        result += line;
        start = end + 1;
    }
    *torn = text.sliced(start);
    return result;
}

} // namespace progress::csv
