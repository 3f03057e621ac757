#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace narrator {

/// Where speech sound goes. The narrator's seam to the sound card, so tests can do without one.
class AudioSink : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    /// Readies the output for a speech, making it anew when it failed or was missing before.
    /// Returns why it makes no sound (no device, ...); empty when it plays.
    virtual QString open() = 0;
    /// Plays mono signed 16-bit samples after those written before, and returns at once.
    virtual void write(const QList<qint16> &samples) = 0;
    /// Returns at once; finished() follows when everything written so far has been heard,
    /// or failed() when the output broke down on the way.
    virtual void drain() = 0;

Q_SIGNALS:
    void finished();
    /// Writing or draining failed for the reason given: the rest of the speech is not heard, and
    /// nothing more plays until the next open().
    void failed(const QString &why);
};

} // namespace narrator
