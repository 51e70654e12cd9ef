#include "desktop/DiscUnmounter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QVariantMap>

namespace desktop {
namespace {

// Unmounting a disc the burn is about to replace reads nothing back; two
// seconds cover a busy desktop without holding up the job.
constexpr int UnmountTimeoutMs = 2000;

} // namespace

UnmountResult UnmountDisc(const QString &node)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return {false, bus.lastError().message().isEmpty() ? QStringLiteral("no system bus")
                                                           : bus.lastError().message()};
    // UDisks2 names each block device's object after the kernel's name.
    const QString target = QFileInfo(node).canonicalFilePath();
    const QString kernelName = QFileInfo(target.isEmpty() ? node : target).fileName();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.UDisks2"),
        QStringLiteral("/org/freedesktop/UDisks2/block_devices/") + kernelName,
        QStringLiteral("org.freedesktop.UDisks2.Filesystem"), QStringLiteral("Unmount"));
    call << QVariantMap();
    const QDBusMessage reply = bus.call(call, QDBus::Block, UnmountTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return {true, {}};
    return {false, reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage()};
}

} // namespace desktop
