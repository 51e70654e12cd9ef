#pragma once

#include <QProcess>
#include <QString>

#include <memory>

// A private D-Bus daemon standing in for the system bus, with the fake
// logind on it. Construct it before anything in the process opens the system
// bus: it points DBUS_SYSTEM_BUS_ADDRESS at the private daemon, so unchanged
// production code that talks to logind reaches the fake. With the desktop's
// fakes, the daemon serves as the session bus too and a fake notification
// service and UDisks2 run on it.
enum class DesktopFakes { No, Yes };

class PrivateSystemBus
{
public:
    explicit PrivateSystemBus(DesktopFakes desktop = DesktopFakes::No);
    ~PrivateSystemBus();
    PrivateSystemBus(const PrivateSystemBus &) = delete;
    PrivateSystemBus &operator=(const PrivateSystemBus &) = delete;

    bool IsReady() const { return m_ready; }
    // The lines the fake logind recorded, one per PowerOff call.
    QStringList PowerOffCalls() const;
    // Waits until at least count calls arrived, up to timeoutMs.
    bool WaitForPowerOffCalls(int count, int timeoutMs) const;

    // The fake logind's Inhibit lines and "Released" for each lock closed.
    QStringList InhibitLines() const;
    // The fake desktop services' lines: "Notify app|summary|body", "Unmount path".
    QStringList DesktopLines() const;
    // Creates the switch file a fake reads on each call ("refuse" for the
    // lock; "notify-error", "notify-silent", "unmount-refuse").
    void SwitchOn(const QString &name) const;
    void SwitchOff(const QString &name) const;
    // Waits until a fake's lines include line, up to timeoutMs.
    enum class Fake { Logind, Desktop };
    bool WaitForLine(Fake fake, const QString &line, int timeoutMs) const;

private:
    bool StartDesktopFakes();
    QString SwitchPath(const QString &name) const;

    QString m_root;
    QString m_address;
    QString m_recordPath;
    std::unique_ptr<QProcess> m_daemon;
    std::unique_ptr<QProcess> m_logind;
    std::unique_ptr<QProcess> m_desktop;
    bool m_ready = false;
};
