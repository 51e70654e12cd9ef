#include "desktop/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>

namespace desktop {
namespace {

constexpr int NoticeTimeoutMs = 1000;
// The desktop's default time the notice stays up.
constexpr int DefaultExpiry = -1;

const QString Service = QStringLiteral("org.freedesktop.Notifications");

} // namespace

NoticeResult SendNotice(const QString &appName, const QString &summary, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return {NoticeOutcome::NoService, bus.lastError().message()};
    QDBusMessage call = QDBusMessage::createMethodCall(
        Service, QStringLiteral("/org/freedesktop/Notifications"), Service, QStringLiteral("Notify"));
    call << appName << 0u << QString() << summary << body << QStringList() << QVariantMap() << DefaultExpiry;
    const QDBusMessage reply = bus.call(call, QDBus::Block, NoticeTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return {NoticeOutcome::Shown, {}};
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return {NoticeOutcome::NoService, reply.errorMessage()};
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Timeout"))
        return {NoticeOutcome::NoAnswer, reply.errorMessage()};
    return {NoticeOutcome::Refused, reply.errorMessage().isEmpty() ? name : reply.errorMessage()};
}

bool NoticeWanted(WindowFocus focus, Attendance attendance)
{
    return focus == WindowFocus::Elsewhere || attendance == Attendance::Unattended;
}

} // namespace desktop
