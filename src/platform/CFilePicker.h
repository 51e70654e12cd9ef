#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Open and save file dialogs and a folder browser on Qt's own (non-native)
// file dialog, so tests can drive them. Created on the stack by the command
// that needs one.
class CFilePicker
{
public:
    enum Mode { Save = 0, Open = 1 };
    enum Result { Confirmed = 1, NotConfirmed = 2 };

    // Extra dialog flags, with the classic values.
    static constexpr unsigned OverwritePrompt = 0x2;
    static constexpr unsigned ExplorerStyle = 0x80000;

    // A file dialog. filters holds pairs of description and pattern, e.g.
    // {"Log Files (*.log)", "*.log", "All Files (*.*)", "*.*"}.
    CFilePicker(Mode mode, const QString &defaultExtension, const QString &initialName, unsigned extraFlags,
                const QStringList &filters, QWidget *owner);
    // A folder browser only (BrowseFolder / GetFolder).
    CFilePicker();
    virtual ~CFilePicker();

    // Runs the open or save dialog: Confirmed when the user chose a file.
    virtual int Run();
    // The chosen file's full path (the initial name before a run).
    QString GetPath() const { return m_strFile; }
    // Runs the folder browser with initialFolder preselected (none when
    // empty): Confirmed when the user chose a folder.
    int BrowseFolder(const QString &title, const QString &initialFolder, unsigned flags, QWidget *owner);
    QString GetFolder() const { return m_strFolder; }

    unsigned Flags() const { return m_nFlags; }

    // The dialogs the program uses.
    static QStringList WaveFilters();      // Audio "Wav" buttons, initial name "*.wav"
    static QStringList LogFilters();       // Save Log, initial name label + ".log"
    static QStringList ImageFilters();     // image file asked for by the library, overwrite prompt
    static QStringList BurnImageFilters(); // "Image file...": an ISO image to burn

    // The object name given to the dialog window, so tests can find it.
    static const char *DialogObjectName();

private:
    int m_nMode = Open;
    QString m_strDefaultExt;
    QString m_strFile;
    QString m_strFolder;
    unsigned m_nFlags = 0;
    QStringList m_filters;
    QWidget *m_pOwner = nullptr;
};
