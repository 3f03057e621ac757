#include "window/app/platformfailure.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

#include <algorithm>

namespace window {
namespace {

QStringList platformsWithAPlugin()
{
    QStringList folders;
    for (const QString &path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM_PLUGIN_PATH"))
        folders << qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    QStringList names;
    for (const QString &folder : folders) {
        // The plugin's own metadata names its platforms; reading it does not load the plugin.
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
            const QJsonArray keys = QPluginLoader(file.absoluteFilePath())
                                        .metaData()
                                        .value(QLatin1String("MetaData"))
                                        .toObject()
                                        .value(QLatin1String("Keys"))
                                        .toArray();
            for (const QJsonValue &key : keys)
                names << key.toString().toLower();
        }
    }
    return names;
}

bool isWayland(const QString &platform)
{
    return platform.startsWith(QLatin1String("wayland"));
}

bool needsADisplay(const QString &platform)
{
    return platform == QLatin1String("xcb") || isWayland(platform);
}

QString causeFor(const QString &platform, const PlatformAttempt &attempt)
{
    if (!attempt.installedPlatforms.contains(platform)) {
        if (isWayland(platform))
            return QStringLiteral("manca il modulo di Qt per Wayland (il pacchetto qt6-wayland)");
        return QStringLiteral("manca il modulo di Qt per la piattaforma «%1»").arg(platform);
    }
    if (platform == QLatin1String("xcb")) {
        if (attempt.x11Display.isEmpty())
            return QStringLiteral("non c'è un display X11 (DISPLAY è vuota)");
        return QStringLiteral("il display X11 «%1» non ha accettato la connessione").arg(attempt.x11Display);
    }
    if (isWayland(platform)) {
        if (attempt.waylandDisplay.isEmpty())
            return QStringLiteral("non c'è un display Wayland (WAYLAND_DISPLAY è vuota)");
        return QStringLiteral("il display Wayland «%1» non ha accettato la connessione").arg(attempt.waylandDisplay);
    }
    return QStringLiteral("la piattaforma «%1» non si è avviata").arg(platform);
}

} // namespace

PlatformAttempt PlatformAttempt::current()
{
    // Qt's own default, where nothing chose, is X11.
    const QString chosen = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? QStringLiteral("xcb")
                                                                          : qEnvironmentVariable("QT_QPA_PLATFORM");
    QStringList platforms;
    // Each entry may carry options after a colon: "xcb:option=value".
    for (const QString &entry : chosen.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        platforms << entry.section(QLatin1Char(':'), 0, 0).toLower();
    return {platforms, qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"),
            platformsWithAPlugin()};
}

QString whyNoPlatformStarted(const PlatformAttempt &attempt)
{
    const bool onlyDisplays = std::all_of(attempt.platforms.cbegin(), attempt.platforms.cend(), [&](const QString &p) {
        return needsADisplay(p) && attempt.installedPlatforms.contains(p);
    });
    if (onlyDisplays && attempt.x11Display.isEmpty() && attempt.waylandDisplay.isEmpty())
        return QStringLiteral("quorvane: il gioco ha bisogno di un desktop grafico: avvialo da una sessione grafica.");
    QStringList causes;
    for (const QString &platform : attempt.platforms)
        causes << causeFor(platform, attempt);
    causes.removeDuplicates();
    return QStringLiteral("quorvane: il gioco non può aprire la sua finestra: %1.")
        .arg(causes.join(QStringLiteral("; ")));
}

} // namespace window
