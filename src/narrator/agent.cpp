#include "narrator/agent.h"

#include "narrator/stage.h"

#include <stdexcept>

namespace narrator {

RequestHandle Character::show()
{
    return issue(Request::show());
}

RequestHandle Character::moveTo(int x, int y)
{
    return issue(Request::moveTo(x, y));
}

RequestHandle Character::play(const QString &animation)
{
    return issue(Request::play(animation));
}

void Character::setHeight(int pixels)
{
    issue(Request::height(pixels));
}

RequestHandle Character::speak(const QString &text)
{
    return issue(Request::speak(text));
}

RequestHandle Character::issue(const Request &request)
{
    if (!m_queue)
        throw std::runtime_error("The narrator is no longer there");
    return {m_queue->enqueue(request)};
}

void takeTheStage(Character &narrator, const QString &animation)
{
    narrator.show();
    narrator.moveTo(stageX, stageY);
    if (!animation.isEmpty())
        narrator.play(animation);
    narrator.setHeight(stageHeight);
}

void CharacterCollection::load(const QString &name)
{
    if (name != merlinName)
        throw std::runtime_error("Unknown narrator character: " + name.toStdString());
    m_loaded.insert(name);
}

Character CharacterCollection::item(const QString &name) const
{
    if (!m_loaded.contains(name))
        throw std::runtime_error("The narrator character is not loaded: " + name.toStdString());
    return Character(m_queue);
}

Agent::Agent(Performer *performer, QObject *parent)
    : QObject(parent), m_queue(new RequestQueue(performer, this)), m_characters(m_queue)
{}

} // namespace narrator
