#include "engine/praiseladder.h"

#include <array>

namespace engine {

namespace {

enum class Test
{
    Below,
    Above,
    Equal,
    Always
};

// Most rungs say a fixed phrase; some address the player or repeat the result instead.
enum class Words
{
    Phrase,
    Name,
    Result
};

struct Rung
{
    Test test;
    double count;
    const char *animation; ///< played before the words, or nullptr
    Words words;
    const char *phrase = nullptr;
};

// Every rung is tested on its own, so one answer can climb several: at 2, for instance, both the
// plain acknowledgement and the congratulation. At 10 neither "Esatto" nor "Giusto" holds.
constexpr std::array<Rung, 16> ladder = {{
    {Test::Below, 10, nullptr, Words::Phrase, "Esatto"},
    {Test::Above, 10, nullptr, Words::Phrase, "Giusto"},
    {Test::Equal, 3, nullptr, Words::Name},
    {Test::Equal, 7, nullptr, Words::Name},
    {Test::Equal, 12, nullptr, Words::Name},
    {Test::Equal, 21, nullptr, Words::Name},
    {Test::Equal, 26, nullptr, Words::Name},
    {Test::Always, 0, nullptr, Words::Result},
    {Test::Equal, 2, "congratulate", Words::Phrase, "Sei grande"},
    {Test::Equal, 5, "domagic1", Words::Phrase, "Sei forte"},
    {Test::Equal, 14, "congratulate", Words::Phrase, "Sei eccezionale"},
    {Test::Equal, 13, "domagic2", Words::Phrase, "Sei in gamba"},
    {Test::Equal, 10, "congratulate", Words::Phrase, "Sei sulla buona strada per diventare cavaliere"},
    {Test::Equal, 18, "congratulate", Words::Phrase, "Sei insuperabile"},
    {Test::Equal, 23, "congratulate", Words::Phrase,
     "Ti nomino cavaliere della tabellina, il massimo ordine per un eroe"},
    {Test::Equal, 27, "congratulate", Words::Phrase, "Hai lavorato bene mio leale campione: sei invincibile"},
}};

bool holds(const Rung &rung, double shownCount)
{
    switch (rung.test) {
    case Test::Below:
        return shownCount < rung.count;
    case Test::Above:
        return shownCount > rung.count;
    case Test::Equal:
        return shownCount == rung.count;
    case Test::Always:
        return true;
    }
    return false;
}

} // namespace

QList<Praise> praiseLadder(double shownCount, const QString &name, const QString &result)
{
    QList<Praise> praise;
    for (const Rung &rung : ladder) {
        if (!holds(rung, shownCount))
            continue;
        if (rung.animation)
            praise.append(Praise::play(QString::fromLatin1(rung.animation)));
        switch (rung.words) {
        case Words::Phrase:
            praise.append(Praise::speak(QString::fromLatin1(rung.phrase)));
            break;
        case Words::Name:
            praise.append(Praise::speak(name));
            break;
        case Words::Result:
            praise.append(Praise::speak(result));
            break;
        }
    }
    return praise;
}

} // namespace engine
