#include "narrator/agent.h"

#include <stdexcept>

namespace narrator {

RequestHandle Character::Show()
{
    return issue(Request::show());
}

RequestHandle Character::MoveTo(int x, int y)
{
    return issue(Request::moveTo(x, y));
}

RequestHandle Character::Play(const QString &animation)
{
    return issue(Request::play(animation));
}

void Character::Height(int pixels)
{
    issue(Request::height(pixels));
}

RequestHandle Character::Speak(const QString &text)
{
    return issue(Request::speak(text));
}

RequestHandle Character::issue(const Request &request)
{
    if (!m_queue)
        throw std::runtime_error("The narrator is no longer there");
    return {m_queue->enqueue(request)};
}

void CharacterCollection::Load(const QString &name, const QString &path)
{
    Q_UNUSED(path)
    if (name != merlinName)
        throw std::runtime_error("Unknown narrator character: " + name.toStdString());
    m_loaded.insert(name);
}

Character CharacterCollection::Item(const QString &name) const
{
    if (!m_loaded.contains(name))
        throw std::runtime_error("The narrator character is not loaded: " + name.toStdString());
    return Character(m_queue);
}

Agent::Agent(Performer *performer, QObject *parent)
    : QObject(parent), m_queue(new RequestQueue(performer, this)), m_characters(m_queue)
{}

} // namespace narrator
