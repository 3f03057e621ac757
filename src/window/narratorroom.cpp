#include "window/tavola.h"

#include "window/shape.h"

#include <QLineEdit>

namespace window {

QList<QRect> Tavola::narratorMustNotCover() const
{
    const QWidget *client = lblMessage->parentWidget();
    const auto onScreen = [client](const QRect &r) { return QRect(client->mapToGlobal(r.topLeft()), r.size()); };
    // The verdict and the printed exercise take the width of their text: their whole row, to the
    // window's edge, holds them at their widest.
    const auto rowFrom = [client](const QWidget *label, int height) {
        return QRect(label->pos(), QPoint(client->width() - 1, label->y() + height - 1));
    };
    const int verdictHeight = std::max(lblMessage->height(), lblMessage->fontMetrics().height());
    const int exerciseHeight =
        std::max({lblNum1->geometry().bottom(), Label10->geometry().bottom(), lblNum2->geometry().bottom()}) -
        lblNum1->y() + 1;
    return {onScreen(rowFrom(lblMessage, verdictHeight)), onScreen(rowFrom(lblNum1, exerciseHeight)),
            onScreen(Shape4->geometry()), onScreen(Shape5->geometry()), onScreen(Text3->geometry())};
}

} // namespace window
