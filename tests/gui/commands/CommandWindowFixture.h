#pragma once

#include "ProgramFolderCopy.h"
#include "gui/AnsweredWindow.h"
#include "gui/WaitFor.h"
#include "platform/MemoryRegistryStore.h"

#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class PrivateSystemBus;

// The private system bus of this test program, with the fake logind on it;
// one for the whole process, as the system bus connection is opened once.
PrivateSystemBus &SystemBus();
int PowerOffCallCount();

using CommandWindow = AnsweredWindow;
using Box = AnsweredWindow::Box;

// Closes every stand-by window with Escape soon after it shows, and keeps
// what it saw.
class StandByWatcher
{
public:
    struct Sighting
    {
        QString message;
        int seconds = 0;
        int powerOffCallsAtClose = 0;
    };

    StandByWatcher();
    std::vector<Sighting> Sightings() const;

private:
    QTimer m_timer;
    mutable std::mutex m_mutex;
    std::vector<Sighting> m_seen;
};

class CommandWindowTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The window started on a copy of the program folder with these
    // recorders and settings lines, the desktop folder in the registry.
    void Start(const QByteArray &recorders, const QStringList &settings = {});
    // A burn of source with the label TEST_DISC, the Burn button usable.
    void PrepareBurn(const QString &source);
    // A copy of the menu-less sample whose VIDEO_TS.IFO is garbage: the
    // library cannot reallocate it.
    QString DamagedSource() const;
    static QString MenulessSample();

    QStringList Log() const;
    QString Text(int id) const { return m_window->GetText(id); }
    QString DesktopLog() const { return m_desktop + QStringLiteral("/TEST_DISC.log"); }
    QString Image() const { return m_copy.Path() + QStringLiteral("/media/test-dvd.iso"); }

    ProgramFolderCopy m_copy;
    MemoryRegistryStore m_registry;
    QString m_desktop;
    std::unique_ptr<CommandWindow> m_window;
    std::unique_ptr<StandByWatcher> m_standBy;
};

// A fast DVD writer with an empty DVD+R.
extern const QByteArray FastDvdWriter;
// A DVD-RW writer with a written disc whose erase takes scale times the real time.
QByteArray RewritableWriter(const char *scale);
