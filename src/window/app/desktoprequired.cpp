#include "window/app/desktoprequired.h"

#include "window/app/platformfailure.h"

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

const char *orNull(const QByteArray &text)
{
    return text.isNull() ? nullptr : text.constData();
}

QMessageLogContext contextOf(const HeldMessage &message)
{
    return QMessageLogContext(orNull(message.file), message.line, orNull(message.function), orNull(message.category));
}

void holdOrExplain(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        s_held.append({type, context.file, context.line, context.function, context.category, text});
        return;
    }
    // Qt's one fatal message while it opens the display is that no platform could start. The cause comes first, in
    // Italian, then what Qt said on the way (the debug output the user asked for included) and its own message.
    // Inside a message handler Qt prints further messages bare, so they are formatted here, as Qt would.
    std::fprintf(stderr, "%s\n", qPrintable(whyNoPlatformStarted(PlatformAttempt::current())));
    for (const HeldMessage &message : std::as_const(s_held))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(message.type, contextOf(message), message.text)));
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    std::_Exit(DesktopRequired::noDesktopStatus);
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
    for (const HeldMessage &message : held)
        qt_message_output(message.type, contextOf(message), message.text);
}

} // namespace window
