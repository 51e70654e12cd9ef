#pragma once

// The real main window against the built NeroAPI.so, in a copied program
// folder with its own virtual recorders; its boxes answered here (Yes to a
// question unless a test says otherwise), its displays watched.
#include "ProgramFolderCopy.h"
#include "TestEnvironment.h"

#include "BoxRecorder.h"
#include "RecordingProgress.h"
#include "app/CBurnDlg.h"
#include "platform/MemoryRegistryStore.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using Box = BoxRecorder::Box;
using namespace Qt::StringLiterals;

class JobsWindow : public CBurnDlg
{
public:
    JobsWindow() { m_portProgress.Tap(&progress); }
    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, false});
    }
    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, true});
    }
    bool Showed(const QString &text) const { return boxes.Showed(text) > 0; }

    BoxRecorder boxes;
    RecordingProgress progress;
};

inline const QByteArray FastDvdWriter =
    "[Test DVD Writer]\nmedium = DVD+RW blank\nfile = media/test-dvd.iso\n"
    "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";

class JobsWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // A folder name with blanks and lower case: the label is cleaned.
        m_source = testenv::makeTempDir(u"films"_s) + u"/my film"_s;
        testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), m_source);
        m_desktop = testenv::makeTempDir(u"desktop"_s);
    }

    void TearDown() override
    {
        Close();
        SetMachineRegistry(nullptr);
        SetProgramFolderForTesting(QString());
    }

    // Starts the window, with this command line when one is given (its
    // worker starts with the window; the recorder selection may still be
    // changed during the worker's first second).
    void Start(const QByteArray &recorders, const QByteArray &settings = {}, const QString &commandLine = {})
    {
        Close();
        m_copy.WriteFile(u"virtual-recorders.conf"_s, recorders);
        m_copy.WriteFile(u"Orvane.ini"_s, settings + "\n");
        m_registry.CreateKey(regkey::SharedKey);
        m_registry.WriteString(regkey::SharedKey, regkey::LibraryFolderValue, m_copy.Path());
        m_registry.CreateKey(regkey::ShellFoldersKey);
        m_registry.WriteString(regkey::ShellFoldersKey, regkey::DesktopValue, m_desktop);
        SetMachineRegistry(&m_registry);
        SetProgramFolderForTesting(m_copy.Path());
        m_window = std::make_unique<JobsWindow>();
        m_window->m_strAppDir = m_copy.Executable();
        // SOURCE stands for the film folder, whose name holds a blank.
        m_window->m_arguments = commandLine.split(u' ', Qt::SkipEmptyParts)
                                    .replaceInStrings(QRegularExpression(u"^SOURCE$"_s), m_source);
        m_window->CommandLine().SetPresence(Presence::Attended);
        m_window->OnInitDialog();
        ASSERT_FALSE(m_window->HasEnded()) << Log().join('\n').toStdString();
    }

    void Close()
    {
        if (!m_window)
            return;
        m_window->CommandLine().Stop();
        m_window->Jobs().Job().Wait();
        if (!m_window->HasEnded())
            m_window->DoneRecording();
        m_window.reset();
    }

    // Prepares a burn of source with a fixed label.
    void PrepareBurn(const QString &source)
    {
        m_window->m_strSourceDir = source;
        m_window->m_strVolume = u"TEST_DISC"_s;
        m_window->UpdateData(false);
    }

    QStringList Log() const { return m_window->GetLogText().split(u'\n', Qt::SkipEmptyParts); }
    QString Text(int id) const { return m_window->GetText(id); }
    QString Image(const char *name = "test-dvd.iso") const
    {
        return m_copy.Path() + u"/media/"_s + QLatin1String(name);
    }

    ProgramFolderCopy m_copy;
    MemoryRegistryStore m_registry;
    QString m_source;
    QString m_desktop;
    std::unique_ptr<JobsWindow> m_window;
};
