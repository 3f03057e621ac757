#include "narrator/pose.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace narrator {

namespace {

constexpr double pi = std::numbers::pi;

/// 0 before `from`, 1 after `to`, eased in between.
double ramp(double t, double from, double to)
{
    const double x = std::clamp((t - from) / (to - from), 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

/// Up at the start, held, down at the end: the shape of most gestures.
double holdBetween(double t, double upBy, double downFrom)
{
    return ramp(t, 0, upBy) - ramp(t, downFrom, 1);
}

// Breathing and blinking go on whatever else the wizard does. The breath is whole units, so
// that an idle wizard changes his picture only a few times a second.
void live(Pose &pose, qint64 clockMs, bool speaking)
{
    pose.lift += std::round(1.5 + 1.5 * std::sin(2 * pi * double(clockMs % 4000) / 4000));
    pose.eyesClosed = pose.eyesClosed || clockMs % 4300 < 150;
    pose.mouthOpen = speaking && (clockMs / 110) % 3 != 2;
}

} // namespace

std::optional<Gesture> gestureNamed(const QString &animation)
{
    static const QHash<QString, Gesture> names = {
        {QStringLiteral("Announce"), Gesture::Announce},         {QStringLiteral("Greet"), Gesture::Greet},
        {QStringLiteral("congratulate"), Gesture::Congratulate}, {QStringLiteral("domagic1"), Gesture::DoMagic1},
        {QStringLiteral("domagic2"), Gesture::DoMagic2},
    };
    const auto found = names.constFind(animation);
    if (found == names.cend())
        return std::nullopt;
    return *found;
}

int gestureDurationMs(Gesture gesture)
{
    switch (gesture) {
    case Gesture::Idle:
    case Gesture::Glide:
        return 0;
    // Short, so that the words after them come at once; only the opening of the game takes its time.
    case Gesture::Appear:
        return 800;
    case Gesture::Announce:
        return 1600;
    case Gesture::Greet:
        return 220;
    case Gesture::Congratulate:
        return 700;
    case Gesture::DoMagic1:
        return 800;
    case Gesture::DoMagic2:
        return 900;
    }
    return 0;
}

Pose poseAt(Gesture gesture, int ms, qint64 clockMs, bool speaking)
{
    Pose pose;
    const int duration = gestureDurationMs(gesture);
    const double t = duration > 0 ? std::clamp(double(ms) / duration, 0.0, 1.0) : 0;
    switch (gesture) {
    case Gesture::Idle:
        break;
    case Gesture::Appear: {
        // Grows out of the floor, overshooting a little, inside a ring of stars.
        const double u = t - 1;
        pose.scale = std::max(0.05, 1 + 2.70158 * u * u * u + 1.70158 * u * u);
        pose.sparkles = Sparkles::Around;
        pose.sparklePhase = t;
        break;
    }
    case Gesture::Glide:
        // Floats with his arms a little out.
        pose.lift = 5 * std::abs(std::sin(pi * ms / 400.0));
        pose.leftArm = pose.rightArm = 20;
        break;
    case Gesture::Announce: {
        // Arms thrown wide, then a deep bow.
        const double wide = holdBetween(t, 0.25, 0.55);
        pose.leftArm = pose.rightArm = 115 * wide;
        pose.wand = -40 * wide;
        pose.bow = std::sin(pi * ramp(t, 0.55, 1.0));
        pose.eyesClosed = pose.bow > 0.5;
        break;
    }
    case Gesture::Greet: {
        // A quick wave of the free hand, with a little nod.
        const double raised = holdBetween(t, 0.25, 0.75);
        pose.leftArm = raised * (100 + 25 * std::sin(2 * pi * t));
        pose.bow = 0.25 * std::sin(pi * t);
        break;
    }
    case Gesture::Congratulate: {
        // Two claps, hopping, inside a ring of stars.
        const double clap = std::abs(std::sin(2 * pi * t)) * holdBetween(t, 0.1, 0.9);
        pose.leftArm = pose.rightArm = -28 * clap;
        pose.lift = 6 * clap;
        pose.sparkles = Sparkles::Around;
        pose.sparklePhase = t;
        break;
    }
    case Gesture::DoMagic1: {
        // The wand raised and circling, leaving a trail of stars.
        const double raised = holdBetween(t, 0.2, 0.8);
        pose.rightArm = 60 * raised;
        pose.wand = (-45 + 30 * std::sin(2 * pi * 1.5 * t)) * raised;
        pose.sparkles = Sparkles::FromWand;
        pose.sparklePhase = t;
        break;
    }
    case Gesture::DoMagic2: {
        // Both arms high, eyes shut in concentration, a hop, and stars rising off the hat.
        const double raised = holdBetween(t, 0.25, 0.75);
        pose.leftArm = pose.rightArm = 122 * raised;
        pose.wand = -70 * raised;
        pose.lift = 8 * std::sin(pi * ramp(t, 0.3, 0.7));
        pose.eyesClosed = t > 0.25 && t < 0.5;
        pose.sparkles = Sparkles::Rising;
        pose.sparklePhase = t;
        break;
    }
    }
    live(pose, clockMs, speaking);
    return pose;
}

} // namespace narrator
