#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace narrator {

/// Keeps the keyboard with the game where a window manager or compositor gives a window of the
/// wizard's the focus anyway: the game's window (or the box open over it) is activated again, and
/// every key such a window received meanwhile goes on to the widget with the focus there.
class KeyboardHome final : public QObject
{
    Q_OBJECT
public:
    /// `home` is the game's window; `parent` owns the watcher.
    KeyboardHome(QWidget *home, QObject *parent);
    /// Hands on what `window` receives.
    void watch(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_home;
};

} // namespace narrator
