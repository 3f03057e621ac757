#pragma once

#include "narrator/performer.h"
#include "narrator/requestqueue.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

namespace narrator {

/// The one character built into the program, and the file the game names when loading him.
inline const QString merlinName = QStringLiteral("Merlin");
inline const QString merlinFile = QStringLiteral("C:\\WINDOWS\\msagent\\chars\\Merlin.acs");

/// The handle that Show, MoveTo, Play and Speak hand back: the request's sequence number.
struct RequestHandle
{
    qint64 id = 0;
};

/// A loaded character. Every call queues one request and returns at once.
class Character
{
public:
    explicit Character(RequestQueue *queue) : m_queue(queue) {}

    RequestHandle Show();
    RequestHandle MoveTo(int x, int y);
    RequestHandle Play(const QString &animation);
    /// Sets the drawn height in pixels; it takes effect in turn with the other requests.
    void Height(int pixels);
    RequestHandle Speak(const QString &text);

private:
    RequestHandle issue(const Request &request);

    QPointer<RequestQueue> m_queue;
};

/// The control's collection of loaded characters.
class CharacterCollection
{
public:
    explicit CharacterCollection(RequestQueue *queue) : m_queue(queue) {}

    /// Loads the character called `name`. The file path is kept for the record only: every
    /// character is built into the program, and "Merlin" is the one there is.
    /// Throws std::runtime_error for any other name.
    void Load(const QString &name, const QString &path);
    /// The loaded character `name`; throws std::runtime_error when it was never loaded.
    Character Item(const QString &name) const;

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

    CharacterCollection &Characters() { return m_characters; }
    RequestQueue *queue() const { return m_queue; }

private:
    RequestQueue *m_queue;
    CharacterCollection m_characters;
};

} // namespace narrator
