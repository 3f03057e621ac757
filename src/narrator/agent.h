#pragma once

#include "narrator/performer.h"
#include "narrator/requestqueue.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

namespace narrator {

/// The one character built into the program.
inline const QString merlinName = QStringLiteral("Merlin");

/// The handle that show, moveTo, play and speak hand back: the request's sequence number.
struct RequestHandle
{
    qint64 id = 0;
};

/// A loaded character. Every call queues one request and returns at once.
class Character
{
public:
    explicit Character(RequestQueue *queue) : m_queue(queue) {}

    RequestHandle show();
    RequestHandle moveTo(int x, int y);
    RequestHandle play(const QString &animation);
    /// Sets the drawn height in pixels; it takes effect in turn with the other requests.
    void setHeight(int pixels);
    RequestHandle speak(const QString &text);

private:
    RequestHandle issue(const Request &request);

    QPointer<RequestQueue> m_queue;
};

/// The opening every narrating step uses: show, move to the stage, an optional play, the stage's height.
void takeTheStage(Character &narrator, const QString &animation = QString());

/// The control's collection of loaded characters.
class CharacterCollection
{
public:
    explicit CharacterCollection(RequestQueue *queue) : m_queue(queue) {}

    /// Loads the character called `name`. Every character is built into the program, and "Merlin" is the one
    /// there is. Throws std::runtime_error for any other name.
    void load(const QString &name);
    /// The loaded character `name`; throws std::runtime_error when it was never loaded.
    Character item(const QString &name) const;

private:
    RequestQueue *m_queue;
    QSet<QString> m_loaded;
};

/// The narrator control: the characters and the queue through which they perform.
class Agent : public QObject
{
    Q_OBJECT
public:
    /// Takes ownership of `performer`, which carries out every request.
    Agent(Performer *performer, QObject *parent);

    CharacterCollection &characters() { return m_characters; }
    RequestQueue *queue() const { return m_queue; }

private:
    RequestQueue *m_queue;
    CharacterCollection m_characters;
};

} // namespace narrator
