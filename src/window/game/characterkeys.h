#pragma once

#include <QObject>

class QWidget;

namespace window {

/// Watches a text box and reports every key that gives a character code, Enter and Backspace
/// included, before the box takes it. Keys that give none (arrows, function keys) and Tab, which
/// moves the focus, are not reported, nor Alt chords, which the box never takes. Every other key
/// goes on to the box unchanged.
class CharacterKeys : public QObject
{
    Q_OBJECT
public:
    /// Watches `box`, which owns the watcher.
    explicit CharacterKeys(QWidget *box);

Q_SIGNALS:
    /// One character code of a pressed key, e.g. 13 for Enter, 8 for Backspace.
    void typed(int code);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace window
