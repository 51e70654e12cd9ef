#include "desktop/SleepInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>

namespace {

// logind answers at once; a bus that hangs must not hold up the job.
constexpr int InhibitTimeoutMs = 1000;

} // namespace

SleepInhibitor::SleepInhibitor(const QString &who, const QString &why)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        m_problem = bus.lastError().message();
        if (m_problem.isEmpty())
            m_problem = QStringLiteral("no system bus");
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle:handle-lid-switch") << who << why << QStringLiteral("block");
    const QDBusMessage reply = bus.call(call, QDBus::Block, InhibitTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        m_problem = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
        return;
    }
    const auto lock = qvariant_cast<QDBusUnixFileDescriptor>(reply.arguments().constFirst());
    // The lock lasts as long as logind's descriptor stays open somewhere:
    // our own copy, closed on release, is the only one left once the reply
    // is gone.
    if (lock.isValid())
        m_lock.reset(::fcntl(lock.fileDescriptor(), F_DUPFD_CLOEXEC, 3));
    if (!m_lock.valid())
        m_problem = QStringLiteral("logind sent no lock");
}
