#pragma once

#include "narrator/speechengine.h"

namespace narrator {

/// Italian speech from the espeak-ng library, voice "it", synthesised to memory.
/// espeak-ng keeps global state and is not thread-safe: use it from one thread only.
class EspeakEngine final : public SpeechEngine
{
public:
    EspeakEngine();

    Speech synthesise(const QString &text, const SoundPiece &onPiece = {}) override;
    QString unavailableReason() const override { return m_unavailable; }
    /// Samples per second of every speech it makes.
    int sampleRate() const { return m_sampleRate; }

private:
    QString m_unavailable;
    int m_sampleRate = 22050;
};

} // namespace narrator
