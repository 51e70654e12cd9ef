// A stand-in for systemd-logind on a private bus: it owns
// org.freedesktop.login1 and records every PowerOff call in a file instead of
// powering anything off. It refuses to start unless the test environment has
// pointed the system bus at a private address.
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDateTime>
#include <QFile>

#include <cstdio>
#include <cstdlib>

class FakeLogindManager : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    FakeLogindManager(QObject *parent, QString recordPath)
        : QDBusAbstractAdaptor(parent), m_recordPath(std::move(recordPath))
    {
    }

public slots:
    void PowerOff(bool interactive)
    {
        QFile record(m_recordPath);
        if (record.open(QIODevice::Append | QIODevice::Text)) {
            record.write(QStringLiteral("PowerOff %1 %2\n")
                             .arg(interactive ? "true" : "false")
                             .arg(QDateTime::currentMSecsSinceEpoch())
                             .toUtf8());
        }
    }

private:
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
    QObject manager;
    new FakeLogindManager(&manager, QString::fromLocal8Bit(argv[1]));
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/login1"), &manager) ||
        !bus.registerService(QStringLiteral("org.freedesktop.login1"))) {
        std::fprintf(stderr, "fake-logind: cannot register on the private bus\n");
        return 3;
    }
    return app.exec();
}

#include "fake_logind.moc"
