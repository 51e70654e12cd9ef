// A stand-in for systemd-logind on a private bus: it owns
// org.freedesktop.login1 and records every PowerOff call in a file instead of
// powering anything off. Inhibit hands out the write end of a pipe and
// records it and "Released", once every copy of it is closed, in
// "<record>.inhibit"; it refuses the lock
// while a file "<record>.refuse" exists. It refuses to start unless the test
// environment has pointed the system bus at a private address.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDateTime>
#include <QFile>
#include <QSocketNotifier>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

class FakeLogindManager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    explicit FakeLogindManager(QString recordPath) : m_recordPath(std::move(recordPath)) {}

public slots:
    void PowerOff(bool interactive)
    {
        record(QStringLiteral("PowerOff")); // in order with the locks

        QFile record(m_recordPath);
        if (record.open(QIODevice::Append | QIODevice::Text)) {
            record.write(QStringLiteral("PowerOff %1 %2\n")
                             .arg(interactive ? "true" : "false")
                             .arg(QDateTime::currentMSecsSinceEpoch())
                             .toUtf8());
        }
    }

    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode)
    {
        record(QStringLiteral("Inhibit %1|%2|%3|%4").arg(what, who, why, mode));
        if (QFile::exists(m_recordPath + QStringLiteral(".refuse"))) {
            sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                           QStringLiteral("refused by test"));
            return {};
        }
        int ends[2];
        if (::pipe(ends) != 0)
            return {};
        // The read end sees end-of-file once the last copy of the write end,
        // the caller's, is closed.
        auto *released = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
        connect(released, &QSocketNotifier::activated, this, [this, released, readEnd = ends[0]] {
            char byte;
            if (::read(readEnd, &byte, 1) == 0) {
                record(QStringLiteral("Released"));
                released->setEnabled(false);
                released->deleteLater();
                ::close(readEnd);
            }
        });
        QDBusUnixFileDescriptor lock(ends[1]);
        ::close(ends[1]);
        return lock;
    }

private:
    void record(const QString &line)
    {
        QFile file(m_recordPath + QStringLiteral(".inhibit"));
        if (file.open(QIODevice::Append | QIODevice::Text))
            file.write((line + QLatin1Char('\n')).toUtf8());
    }

    QString m_recordPath;
};

namespace {

bool pointsAtPrivateBus(const QByteArray &address)
{
    return !address.isEmpty() && !address.contains("/run/dbus/system_bus_socket") &&
           qgetenv("ORVANE_FAKE_LOGIND_PRIVATE_BUS") == address;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray address = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (argc != 2 || !pointsAtPrivateBus(address)) {
        std::fprintf(stderr, "fake-logind: refusing to start outside a private test bus\n");
        return 2;
    }
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("fake-logind"));
    // Exported directly rather than through an adaptor: Inhibit answers
    // with an error through its call's context.
    FakeLogindManager manager(QString::fromLocal8Bit(argv[1]));
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/login1"), &manager,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.login1"))) {
        std::fprintf(stderr, "fake-logind: cannot register on the private bus\n");
        return 3;
    }
    return app.exec();
}

#include "fake_logind.moc"
