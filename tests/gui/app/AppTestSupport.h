#pragma once

#include "BoxRecorder.h"
#include "app/CBurnDlg.h"
#include "gui/WaitFor.h"
#include "platform/MemoryRegistryStore.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <vector>

// One message box the window raised.
using ShownBox = BoxRecorder::Box;

// The real main window with its message box answered by the test.
class TestBurnDlg : public CBurnDlg
{
public:
    TestBurnDlg()
    {
        boxes.answer = [this](const ShownBox &) { return m_nAnswer.load(); };
    }
    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, false});
    }

    std::vector<ShownBox> Boxes() const { return boxes.Boxes(); }
    std::atomic<int> m_nAnswer{6}; // Yes
    BoxRecorder boxes;
};

// A private program folder with a language file of known texts and an empty
// machine registry (so no recording library is found).
class ProgramFolderFixture
{
public:
    ProgramFolderFixture();
    ~ProgramFolderFixture();

    QString Folder() const { return m_folder; }
    // The program file path the application object would hand over.
    QString ProgramFile() const { return m_folder + QStringLiteral("/orvane-burn"); }
    void WriteFile(const QString &name, const QString &content) const;
    void WriteSettings(const QStringList &lines) const;
    MemoryRegistryStore &Registry() { return m_registry; }

    // The texts of the language file every fixture gets as "english.lng".
    static QString EnglishTexts();

private:
    QString m_folder;
    MemoryRegistryStore m_registry;
};

// The lines of the window's log pane.
QStringList LogLines(const CBurnDlg &dlg);
