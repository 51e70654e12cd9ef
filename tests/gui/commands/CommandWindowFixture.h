#pragma once

#include "ProgramFolderCopy.h"
#include "RecordingProgress.h"
#include "gui/AnsweredWindow.h"
#include "gui/WaitFor.h"
#include "platform/MemoryRegistryStore.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <vector>

class PrivateSystemBus;

// The private system bus of this test program, with the fake logind on it;
// one for the whole process, as the system bus connection is opened once.
PrivateSystemBus &SystemBus();
int PowerOffCallCount();

using Box = AnsweredWindow::Box;

// The answered window with its displays watched.
class CommandWindow : public AnsweredWindow
{
public:
    explicit CommandWindow(RegistryStore &registry) : AnsweredWindow(registry)
    {
        m_portProgress.Tap(&progress);
    }
    RecordingProgress progress;
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

private:
    QTimer m_timer;
    mutable std::mutex m_mutex;
    std::vector<Sighting> m_seen;
};

// The real main window against the built NeroAPI.so, in a copy of the
// program folder with its own virtual recorders; m_source is a copy of the
// menu-less sample in a folder whose name holds a blank.
class CommandWindowTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The window started with these recorders and settings, the desktop
    // folder in the registry; SOURCE in the command line stands for m_source.
    void Start(const QByteArray &recorders, const QByteArray &settings = {}, const QString &commandLine = {});
    // Stops a command-line run and waits for the job before the window goes.
    void Close();
    // A burn of source with the label TEST_DISC, the Burn button usable.
    void PrepareBurn(const QString &source);
    static QString MenulessSample() { return QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"); }
    // The box with this text gets answer, every other box its default.
    void Answer(int textId, int answer);

    QStringList Log() const { return m_window->LogLines(); }
    QString Text(int id) const { return m_window->GetText(id); }
    QString DesktopLog() const { return m_desktop + QStringLiteral("/TEST_DISC.log"); }
    QString Image(const char *name = "test-dvd.iso") const
    {
        return m_copy.File(QStringLiteral("media/") + QLatin1String(name));
    }

    ProgramFolderCopy m_copy;
    MemoryRegistryStore m_registry;
    QString m_source;
    QString m_desktop;
    std::unique_ptr<CommandWindow> m_window;
    std::unique_ptr<StandByWatcher> m_standBy;
};

extern const QByteArray FastDvdWriter; // a blank DVD+RW
extern const QByteArray UsedDvdRw;
