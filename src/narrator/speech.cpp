#include "narrator/speech.h"

#include <QRegularExpression>

namespace narrator {

namespace {

// espeak-ng's Italian voice says about fourteen characters a second at its default rate.
constexpr int msPerCharacter = 70;
constexpr int msLeadIn = 150;

} // namespace

qsizetype Speech::wordsBegunBy(int ms) const
{
    qsizetype count = 0;
    while (count < words.size() && words[count].atMs <= ms)
        ++count;
    return count;
}

QString Speech::textOfWords(qsizetype count) const
{
    if (count <= 0)
        return {};
    if (count >= words.size())
        return text.trimmed();
    const SpokenWord &last = words[count - 1];
    return text.left(last.position + last.length).trimmed();
}

Speech Speech::estimate(const QString &text)
{
    Speech speech;
    speech.text = text;
    static const QRegularExpression word(QStringLiteral("\\S+"));
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        speech.words.append({msLeadIn + int(match.capturedStart()) * msPerCharacter, int(match.capturedStart()),
                             int(match.capturedLength())});
    }
    speech.durationMs = speech.words.isEmpty() ? 0 : msLeadIn + int(text.trimmed().size()) * msPerCharacter;
    return speech;
}

} // namespace narrator
