#pragma once

namespace narrator {

/// Where the wizard stands beside the window, and how tall, whenever the game addresses him.
constexpr int stageX = 250;
constexpr int stageY = 175;
constexpr int stageHeight = 205;

} // namespace narrator
