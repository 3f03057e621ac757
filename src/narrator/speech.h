#pragma once

#include <QList>
#include <QString>

namespace narrator {

/// Where one word of a text starts in the sound that says it.
struct SpokenWord
{
    int atMs = 0;     ///< from the start of the sound
    int position = 0; ///< first character of the word in the text
    int length = 0;   ///< characters

    bool operator==(const SpokenWord &) const = default;
};

/// A text turned into sound: the samples, when the words fall, and how long it lasts.
struct Speech
{
    QString text;
    QList<qint16> samples; ///< mono, signed 16-bit; empty when the text could not be synthesised
    int sampleRate = 22050;
    QList<SpokenWord> words;
    int durationMs = 0;

    bool hasSound() const { return !samples.isEmpty(); }
    /// How many words have begun `ms` after the start.
    qsizetype wordsBegunBy(int ms) const;
    /// The text as far as the first `count` words, as the balloon shows it while they are spoken.
    QString textOfWords(qsizetype count) const;

    /// A silent speech paced like spoken Italian, for when nothing can synthesise the text.
    static Speech estimate(const QString &text);
};

} // namespace narrator
