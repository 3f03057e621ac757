#pragma once

#include "narrator/agent.h"

#include <QString>

namespace narrator {

/// Where the wizard stands beside the window, and how tall, whenever the game addresses him.
constexpr int stageX = 250;
constexpr int stageY = 175;
constexpr int stageHeight = 205;

/// The opening every narrating handler uses: Show, MoveTo the stage, an optional Play, Height.
inline void takeTheStage(Character &narrator, const QString &animation = QString())
{
    narrator.Show();
    narrator.MoveTo(stageX, stageY);
    if (!animation.isEmpty())
        narrator.Play(animation);
    narrator.Height(stageHeight);
}

} // namespace narrator
