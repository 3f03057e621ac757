#include "narrator/espeakengine.h"

#include <espeak-ng/speak_lib.h>

namespace narrator {

namespace {

// Synthesis is synchronous, so the callback fills whatever speech is being made right now.
Speech *speechInProgress = nullptr;
const SpeechEngine::SoundPiece *pieceReceiver = nullptr;

int collect(short *wav, int sampleCount, espeak_EVENT *events)
{
    if (!speechInProgress)
        return 0;
    if (wav && sampleCount > 0) {
        const QList<qint16> piece(wav, wav + sampleCount);
        speechInProgress->samples.append(piece);
        if (*pieceReceiver)
            (*pieceReceiver)(piece);
    }
    for (const espeak_EVENT *event = events; event && event->type != espeakEVENT_LIST_TERMINATED; ++event) {
        // text_position counts characters from 1. espeak-ng now and then reports an empty word
        // after a sentence's end; it marks nothing the balloon could show.
        if (event->type == espeakEVENT_WORD && event->length > 0)
            speechInProgress->words.append({event->audio_position, event->text_position - 1, event->length});
    }
    return 0;
}

struct Setup
{
    int sampleRate = 0;
    QString unavailable;
};

// espeak-ng is initialised once per process; later engines share the voice.
Setup initialiseOnce()
{
    static const Setup setup = [] {
        Setup result;
        result.sampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (result.sampleRate <= 0) {
            result.unavailable = QStringLiteral("espeak-ng could not start (is espeak-ng-data installed?)");
            return result;
        }
        if (espeak_SetVoiceByName("it") != EE_OK) {
            result.unavailable = QStringLiteral("espeak-ng has no Italian voice \"it\"");
            return result;
        }
        espeak_SetSynthCallback(collect);
        return result;
    }();
    return setup;
}

} // namespace

EspeakEngine::EspeakEngine()
{
    const Setup setup = initialiseOnce();
    m_unavailable = setup.unavailable;
    if (m_unavailable.isEmpty())
        m_sampleRate = setup.sampleRate;
}

Speech EspeakEngine::synthesise(const QString &text, const SoundPiece &onPiece)
{
    if (!m_unavailable.isEmpty())
        return Speech::estimate(text);
    Speech speech;
    speech.text = text;
    speech.sampleRate = m_sampleRate;
    const QByteArray utf8 = text.toUtf8();
    speechInProgress = &speech;
    pieceReceiver = &onPiece;
    const espeak_ERROR result = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, nullptr);
    speechInProgress = nullptr;
    pieceReceiver = nullptr;
    if (result != EE_OK)
        return Speech::estimate(text);
    speech.durationMs = int(speech.samples.size() * 1000 / m_sampleRate);
    return speech;
}

} // namespace narrator
