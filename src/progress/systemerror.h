#pragma once

#include <QString>

namespace progress {

/// Why a call on a file failed, in Italian whatever the locale: the system's own text follows the locale.
QString reasonFor(int error);

} // namespace progress
