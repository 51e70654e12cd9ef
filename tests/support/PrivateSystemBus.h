#pragma once

#include <QProcess>
#include <QString>

#include <memory>

// A private D-Bus daemon standing in for the system bus, with the fake
// logind on it. Construct it before anything in the process opens the system
// bus: it points DBUS_SYSTEM_BUS_ADDRESS at the private daemon, so unchanged
// production code that talks to logind reaches the fake.
class PrivateSystemBus
{
public:
    PrivateSystemBus();
    ~PrivateSystemBus();
    PrivateSystemBus(const PrivateSystemBus &) = delete;
    PrivateSystemBus &operator=(const PrivateSystemBus &) = delete;

    bool IsReady() const { return m_ready; }
    // The lines the fake logind recorded, one per PowerOff call.
    QStringList PowerOffCalls() const;
    // Waits until at least count calls arrived, up to timeoutMs.
    bool WaitForPowerOffCalls(int count, int timeoutMs) const;

private:
    QString m_root;
    QString m_address;
    QString m_recordPath;
    std::unique_ptr<QProcess> m_daemon;
    std::unique_ptr<QProcess> m_logind;
    bool m_ready = false;
};
