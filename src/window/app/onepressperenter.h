#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace window {

/// Makes a held Enter one press, wherever the focus goes while it is held: once an Enter
/// (Return or the keypad's Enter) has been pressed, no further Enter press reaches any widget
/// of the program until an Enter release has been seen (or the window that took the press has
/// closed, taking the release with it). X11 sends a held key as pairs of
/// release and press that carry the same time, and flags only some of them as repeats, so the
/// flag alone cannot be trusted.
class OnePressPerEnter : public QObject
{
    Q_OBJECT
public:
    /// Watches every key of the application; `parent` owns the watcher.
    explicit OnePressPerEnter(QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_held = false;
    QPointer<QWidget> m_heldIn; ///< the window that took the held key's press
    /// The time of the last Enter release; 0 when unknown (synthesised events).
    quint64 m_releasedAt = 0;
};

} // namespace window
