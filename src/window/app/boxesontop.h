#pragma once

#include <QObject>

namespace window {

/// Keeps every open box readable: while a modal box is open, it stays on top, and the program's
/// always-on-top windows (the narrator and his balloon) give up that place and stay below it,
/// with a window manager or without one; they take it back when the last box closes. They go on
/// showing and moving meanwhile.
class BoxesOnTop : public QObject
{
    Q_OBJECT
public:
    /// Watches every window of the application; `parent` owns the watcher.
    explicit BoxesOnTop(QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restack();
    /// Puts `box` in the always-on-top layer and every other window out of it; with no box, each
    /// window back where it asked to be.
    void setLayers(QWidget *box);

    bool m_restackPending = false;
};

} // namespace window
