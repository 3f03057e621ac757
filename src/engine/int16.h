#pragma once

#include <QtGlobal>

#include <limits>
#include <stdexcept>

namespace engine {

// The game's whole numbers are 16-bit signed: leaving that range is the run-time error "Overflow".
inline qint16 toInt16(int value)
{
    if (value > std::numeric_limits<qint16>::max() || value < std::numeric_limits<qint16>::min())
        throw std::overflow_error("Overflow");
    return static_cast<qint16>(value);
}

inline qint16 add16(qint16 a, qint16 b)
{
    return toInt16(int(a) + int(b));
}
inline qint16 multiply16(qint16 a, qint16 b)
{
    return toInt16(int(a) * int(b));
}

} // namespace engine
