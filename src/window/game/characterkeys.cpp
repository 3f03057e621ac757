#include "window/game/characterkeys.h"

#include <QKeyEvent>
#include <QWidget>

namespace window {

CharacterKeys::CharacterKeys(QWidget *box) : QObject(box)
{
    box->installEventFilter(this);
}

bool CharacterKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    // Alt chords are menu and button accelerators: they type nothing, even when the accelerator's
    // button is disabled and the box would otherwise take the letter.
    if (key->modifiers().testFlag(Qt::AltModifier))
        return !key->text().isEmpty();
    // Tab moves the focus; Delete edits but types nothing.
    const bool typesNothing =
        key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete;
    if (!typesNothing) {
        for (const QChar c : key->text())
            Q_EMIT typed(c.unicode());
    }
    return false;
}

} // namespace window
