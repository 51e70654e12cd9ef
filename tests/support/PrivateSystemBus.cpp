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

bool logindRegistered(const QString &address)
{
    QDBusConnection probe = QDBusConnection::connectToBus(address, u"orvane-test-probe"_s);
    const bool registered =
        probe.isConnected() && probe.interface()->isServiceRegistered(u"org.freedesktop.login1"_s);
    QDBusConnection::disconnectFromBus(u"orvane-test-probe"_s);
    return registered;
}

} // namespace

PrivateSystemBus::PrivateSystemBus()
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
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (logindRegistered(m_address)) {
            m_ready = true;
            return;
        }
        QThread::msleep(50);
    }
}

PrivateSystemBus::~PrivateSystemBus()
{
    for (QProcess *process : {m_logind.get(), m_daemon.get()}) {
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
