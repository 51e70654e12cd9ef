#include "PrivateSystemBus.h"
#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace {

using namespace Qt::StringLiterals;

bool serviceRegistered(const QString &address, const QString &service)
{
    QDBusConnection probe = QDBusConnection::connectToBus(address, u"orvane-test-probe"_s);
    const bool registered = probe.isConnected() && probe.interface()->isServiceRegistered(service);
    QDBusConnection::disconnectFromBus(u"orvane-test-probe"_s);
    return registered;
}

bool waitForService(const QString &address, const QString &service)
{
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (serviceRegistered(address, service))
            return true;
        QThread::msleep(50);
    }
    return false;
}

QStringList lines(const QString &path)
{
    return QString::fromUtf8(testenv::readFile(path)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

PrivateSystemBus::PrivateSystemBus(DesktopFakes desktop)
{
    m_root = testenv::makeTempDir(u"system-bus"_s);
    const QString configPath = m_root + u"/system.conf"_s;
    const QByteArray config =
        "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
        "<busconfig><type>system</type><listen>unix:path=" +
        QFile::encodeName(m_root) +
        "/system_bus_socket</listen><auth>EXTERNAL</auth>\n"
        "<policy context=\"default\"><allow user=\"*\"/><allow own=\"*\"/>"
        "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/></policy></busconfig>\n";
    if (!testenv::writeFile(configPath, config))
        return;

    m_daemon = std::make_unique<QProcess>();
    m_daemon->start(u"dbus-daemon"_s,
                    {u"--config-file="_s + configPath, u"--nofork"_s, u"--print-address"_s});
    if (!m_daemon->waitForStarted(5000) || !m_daemon->waitForReadyRead(5000))
        return;
    m_address = QString::fromUtf8(m_daemon->readLine()).trimmed();
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toUtf8());
    qputenv("ORVANE_FAKE_LOGIND_PRIVATE_BUS", m_address.toUtf8());

    m_recordPath = m_root + u"/poweroff-calls"_s;
    m_logind = std::make_unique<QProcess>();
    m_logind->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_logind->start(QStringLiteral(ORVANE_FAKE_LOGIND), {m_recordPath});
    if (!m_logind->waitForStarted(5000))
        return;
    m_ready = waitForService(m_address, u"org.freedesktop.login1"_s) &&
              (desktop == DesktopFakes::No || StartDesktopFakes());
}

bool PrivateSystemBus::StartDesktopFakes()
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    m_desktop = std::make_unique<QProcess>();
    m_desktop->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_desktop->start(QStringLiteral(ORVANE_FAKE_DESKTOP), {m_root + u"/desktop-calls"_s});
    return m_desktop->waitForStarted(5000) && waitForService(m_address, u"org.freedesktop.UDisks2"_s);
}

PrivateSystemBus::~PrivateSystemBus()
{
    for (QProcess *process : {m_desktop.get(), m_logind.get(), m_daemon.get()}) {
        if (process != nullptr && process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(3000))
                process->kill();
            process->waitForFinished(1000);
        }
    }
}

QStringList PrivateSystemBus::PowerOffCalls() const
{
    return QString::fromUtf8(testenv::readFile(m_recordPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool PrivateSystemBus::WaitForPowerOffCalls(int count, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (PowerOffCalls().size() >= count)
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return PowerOffCalls().size() >= count;
}

QStringList PrivateSystemBus::InhibitLines() const
{
    return lines(m_recordPath + u".inhibit"_s);
}

QStringList PrivateSystemBus::DesktopLines() const
{
    return lines(m_root + u"/desktop-calls"_s);
}

QString PrivateSystemBus::SwitchPath(const QString &name) const
{
    const QString base = name == u"refuse"_s ? m_recordPath : m_root + u"/desktop-calls"_s;
    return base + QLatin1Char('.') + name;
}

void PrivateSystemBus::SwitchOn(const QString &name) const
{
    testenv::writeFile(SwitchPath(name), "on\n");
}

void PrivateSystemBus::SwitchOff(const QString &name) const
{
    QFile::remove(SwitchPath(name));
}

bool PrivateSystemBus::WaitForLine(Fake fake, const QString &line, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if ((fake == Fake::Desktop ? DesktopLines() : InhibitLines()).contains(line))
            return true;
        QThread::msleep(20);
    } while (!deadline.hasExpired());
    return false;
}
