#pragma once

#include "gui/AnsweredWindow.h"
#include "gui/WaitFor.h"
#include "platform/MemoryRegistryStore.h"

#include <QString>
#include <QStringList>

#include <vector>

using ShownBox = AnsweredWindow::Box;
using TestBurnDlg = AnsweredWindow;

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
