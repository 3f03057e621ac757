#include "window/tavola.h"

#include "window/designlabel.h"
#include "window/shape.h"

#include <QLineEdit>

namespace window {

QList<QRect> Tavola::narratorMustNotCover() const
{
    const QWidget *client = m_verdictLabel->parentWidget();
    const auto onScreen = [client](const QRect &r) { return QRect(client->mapToGlobal(r.topLeft()), r.size()); };
    // The verdict and the printed exercise take the width of their text: their whole row, to the
    // window's edge, holds them at their widest.
    const auto rowFrom = [client](const QWidget *label, int height) {
        return QRect(label->pos(), QPoint(client->width() - 1, label->y() + height - 1));
    };
    const int verdictHeight = std::max(m_verdictLabel->height(), m_verdictLabel->fontMetrics().height());
    const int exerciseHeight = std::max({m_firstFactorLabel->geometry().bottom(), m_timesSignLabel->geometry().bottom(),
                                         m_secondFactorLabel->geometry().bottom()}) -
                               m_firstFactorLabel->y() + 1;
    return {onScreen(rowFrom(m_verdictLabel, verdictHeight)), onScreen(rowFrom(m_firstFactorLabel, exerciseHeight)),
            onScreen(m_scorePanel->geometry()), onScreen(m_clockPanel->geometry()), onScreen(m_answerBox->geometry())};
}

} // namespace window
