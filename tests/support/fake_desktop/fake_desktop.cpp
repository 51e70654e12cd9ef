// Stand-ins for the desktop's notification service and UDisks2 on a private
// bus (serving as both the session and the system bus). Each call is
// recorded as a line in the file named by the argument; files beside it
// switch the answers: "<record>.notify-error" makes Notify fail,
// "<record>.notify-silent" leaves it unanswered, "<record>.unmount-refuse"
// makes Unmount fail. It refuses to start unless the test environment has
// pointed both buses at a private address.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QFile>
#include <QVariantMap>

#include <cstdio>

namespace {

QString g_record;

void record(const QString &line)
{
    QFile file(g_record);
    if (file.open(QIODevice::Append | QIODevice::Text))
        file.write((line + QLatin1Char('\n')).toUtf8());
}

bool switchedOn(const char *name)
{
    return QFile::exists(g_record + QLatin1Char('.') + QLatin1String(name));
}

} // namespace

class FakeNotifications : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public slots:
    uint Notify(const QString &app, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &, const QVariantMap &, int)
    {
        record(QStringLiteral("Notify %1|%2|%3").arg(app, summary, body));
        if (switchedOn("notify-error"))
            sendErrorReply(QStringLiteral("org.freedesktop.Notifications.Error"),
                           QStringLiteral("refused by test"));
        else if (switchedOn("notify-silent"))
            setDelayedReply(true); // and never answers
        return 1;
    }
};

class FakeFilesystem : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UDisks2.Filesystem")

public slots:
    void Unmount(const QVariantMap &)
    {
        record(QStringLiteral("Unmount ") + message().path());
        if (switchedOn("unmount-refuse"))
            sendErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy"),
                           QStringLiteral("target is busy"));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (argc != 2 || address.isEmpty() || qgetenv("ORVANE_FAKE_LOGIND_PRIVATE_BUS") != address ||
        qgetenv("DBUS_SYSTEM_BUS_ADDRESS") != address) {
        std::fprintf(stderr, "fake-desktop: refusing to start outside a private test bus\n");
        return 2;
    }
    g_record = QString::fromLocal8Bit(argv[1]);
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("fake-desktop"));
    // Exported directly rather than through adaptors: the error answers go
    // through each call's context.
    FakeNotifications notifications;
    FakeFilesystem drive;
    constexpr auto Slots = QDBusConnection::ExportAllSlots;
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications, Slots) ||
        !bus.registerObject(QStringLiteral("/org/freedesktop/UDisks2/block_devices/sr0"), &drive, Slots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications")) ||
        !bus.registerService(QStringLiteral("org.freedesktop.UDisks2"))) {
        std::fprintf(stderr, "fake-desktop: cannot register on the private bus\n");
        return 3;
    }
    return app.exec();
}

#include "fake_desktop.moc"
