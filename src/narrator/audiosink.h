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

    /// Why the sink makes no sound (no device, ...); empty when it plays.
    virtual QString silenceReason() const = 0;
    /// Plays mono signed 16-bit samples after those written before, and returns at once.
    virtual void write(const QList<qint16> &samples) = 0;
    /// Returns at once; finished() follows when everything written so far has been heard.
    virtual void drain() = 0;

Q_SIGNALS:
    void finished();
};

} // namespace narrator
