#pragma once

#include <QString>

#include <optional>

namespace narrator {

/// The wizard's movements: each one a named animation, the appearing, the glide, or idling.
enum class Gesture
{
    Idle,
    Appear,
    Glide,
    Announce,
    Greet,
    Congratulate,
    DoMagic1,
    DoMagic2
};

/// The gesture that Play performs for `animation`; nothing for a name the wizard does not know.
std::optional<Gesture> gestureNamed(const QString &animation);

/// How long a gesture lasts; 0 for Idle, which goes on for ever, and for Glide, which lasts as its distance.
int gestureDurationMs(Gesture gesture);

/// Where the sparkles come from, if any.
enum class Sparkles
{
    None,
    Around,   ///< a ring of stars around the wizard
    FromWand, ///< a trail from the tip of the wand
    Rising    ///< stars rising above the hat
};

/// The wizard's posture at one instant, in the artwork's units and degrees.
struct Pose
{
    double scale = 1;    ///< the whole figure, about the feet
    double lift = 0;     ///< the whole figure, upwards
    double bow = 0;      ///< 0 upright .. 1 bowed low
    double leftArm = 0;  ///< raised outwards; negative swings it in front
    double rightArm = 0; ///< likewise, the wand arm
    double wand = 0;     ///< turned outwards in the hand
    bool eyesClosed = false;
    bool mouthOpen = false;
    Sparkles sparkles = Sparkles::None;
    double sparklePhase = 0; ///< 0..1 through the gesture

    bool operator==(const Pose &) const = default;
};

/// The posture `ms` into `gesture`. `clockMs` paces what goes on whatever the gesture
/// (breathing, blinking); `speaking` moves the mouth.
Pose poseAt(Gesture gesture, int ms, qint64 clockMs, bool speaking);

} // namespace narrator
