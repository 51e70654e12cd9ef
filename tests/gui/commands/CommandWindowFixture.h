#pragma once

#include "ProgramFolderCopy.h"

#include "BoxRecorder.h"
#include "app/CBurnDlg.h"
#include "platform/MemoryRegistryStore.h"

#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class PrivateSystemBus;

// The private system bus of this test program, with the fake logind on it.
// One for the whole process: the system bus connection is opened once and
// kept.
PrivateSystemBus &SystemBus();
int PowerOffCallCount();

using Box = BoxRecorder::Box;

// The real main window with its message boxes answered here. A probe can
// watch the texts the window looks up (the log file's template marks the
// moment the log file is written).
class CommandWindow : public CBurnDlg
{
public:
    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, false});
    }
    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, true});
    }
    QString GetText(int textId) const override;

    std::vector<Box> Boxes() const { return boxes.Boxes(); }
    bool Asked(const QString &caption) const;

    // Answers the boxes; by default Yes for questions and OK otherwise.
    BoxRecorder boxes;
    // Called with every text id looked up, on the looking-up thread.
    std::function<void(int)> textProbe;
};

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
    int Count() const;

private:
    void Poll();

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
    QString MenulessSample() const;

    QStringList Log() const;
    QString Text(int id) const { return m_window->GetText(id); }
    QString Desktop() const { return m_desktop; }
    QString DesktopLog() const { return m_desktop + QStringLiteral("/TEST_DISC.log"); }

    ProgramFolderCopy m_copy;
    MemoryRegistryStore m_registry;
    QString m_desktop;
    std::unique_ptr<CommandWindow> m_window;
    std::unique_ptr<StandByWatcher> m_standBy;
};

// Lets queued calls from other threads run until pred holds; false when
// timeoutMs passed first.
bool WaitForCondition(const std::function<bool()> &pred, int timeoutMs);

// A fast DVD writer with an empty DVD+R.
extern const QByteArray FastDvdWriter;
