#include "log/SystemShutdown.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace {

// Long enough for polkit to decide, short enough that a hung bus cannot keep
// the program from closing.
constexpr int PowerOffTimeoutMs = 10000;

} // namespace

bool ShutdownWindows()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    // Not interactive: an unattended run must not wait for an authentication
    // prompt that nobody answers; logind decides from the session's rights.
    call << false;
    const QDBusMessage reply = bus.call(call, QDBus::Block, PowerOffTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}
