#pragma once

#include <QString>

#include <string>

namespace records {

/// `text` in the locale's encoding, as the record's files and the system's paths take it.
inline std::string local8Bit(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace records
