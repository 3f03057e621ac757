#pragma once

#include <QString>
#include <QStringList>

namespace window {

/// What the program checks when no platform could start: the platforms Qt tried, in order, the
/// displays the environment names, and the platform plugins installed.
struct PlatformAttempt
{
    QStringList platforms;
    QString x11Display;
    QString waylandDisplay;
    /// The platforms that have a plugin, by the names Qt knows them by.
    QStringList installedPlatforms;

    /// The attempt the application has just made, read from the environment and Qt's plugin folders.
    static PlatformAttempt current();
};

/// One Italian line that names why none of the attempt's platforms could start, in plain words.
QString whyNoPlatformStarted(const PlatformAttempt &attempt);

} // namespace window
