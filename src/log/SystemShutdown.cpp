#include "log/SystemShutdown.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

namespace {

// Long enough for polkit to decide, short enough that a hung bus cannot keep
// the program from closing.
constexpr int PowerOffTimeoutMs = 10000;

} // namespace

QString ShutdownWindows()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        const QString message = bus.lastError().message();
        return message.isEmpty() ? QStringLiteral("the system bus cannot be reached") : message;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    // Not interactive: an unattended run must not wait for an authentication
    // prompt that nobody answers; logind decides from the session's rights.
    call << false;
    const QDBusMessage reply = bus.call(call, QDBus::Block, PowerOffTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return QString();
    return reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
}
