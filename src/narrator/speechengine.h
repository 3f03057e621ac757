#pragma once

#include "narrator/speech.h"

#include <QString>

#include <functional>

namespace narrator {

/// Turns text into sound. The narrator's seam to the synthesiser, so tests can use a fake one.
class SpeechEngine
{
public:
    virtual ~SpeechEngine() = default;

    /// Receives each piece of sound as soon as it is made, so that playing can start at once.
    using SoundPiece = std::function<void(const QList<qint16> &samples)>;

    /// Synthesises `text` to a whole buffer, handing its pieces to `onPiece` on the way;
    /// without a voice, a silent estimate of it.
    virtual Speech synthesise(const QString &text, const SoundPiece &onPiece = {}) = 0;
    /// Why the engine cannot make sound; empty when it can.
    virtual QString unavailableReason() const = 0;
};

} // namespace narrator
