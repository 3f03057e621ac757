#include "window/app/desktoprequired.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace window {
namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

QList<HeldMessage> s_held;
QtMessageHandler s_previous = nullptr;

void holdOrExplain(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // Qt's one fatal message while it opens the display is that no display could be used.
    if (type == QtFatalMsg) {
        std::fputs("quorvane: il gioco ha bisogno di un desktop grafico: avvialo da una sessione grafica.\n", stderr);
        std::_Exit(DesktopRequired::noDesktopStatus);
    }
    s_held.append({type, context.file, context.line, context.function, context.category, text});
}

const char *orNull(const QByteArray &text)
{
    return text.isNull() ? nullptr : text.constData();
}

} // namespace

DesktopRequired::DesktopRequired()
{
    s_previous = qInstallMessageHandler(holdOrExplain);
}

DesktopRequired::~DesktopRequired()
{
    release();
}

void DesktopRequired::release()
{
    if (m_released)
        return;
    m_released = true;
    qInstallMessageHandler(s_previous);
    const QList<HeldMessage> held = std::exchange(s_held, {});
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(orNull(message.file), message.line, orNull(message.function),
                                         orNull(message.category));
        qt_message_output(message.type, context, message.text);
    }
}

} // namespace window
