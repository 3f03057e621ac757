#include "window/characterkeys.h"

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
    // Alt chords are menu and button accelerators; Delete edits but types nothing.
    const bool typesNothing = key->modifiers().testFlag(Qt::AltModifier) || key->key() == Qt::Key_Tab ||
                              key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete;
    // Only the first press of a held Enter counts: the repeats would confirm answer after answer.
    const bool heldEnter = key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
    if (!typesNothing && !heldEnter) {
        for (const QChar c : key->text())
            Q_EMIT typed(c.unicode());
    }
    return false;
}

} // namespace window
