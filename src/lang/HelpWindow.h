#pragma once

#include "controls/CThemeApi.h"
#include "lang/HelpProject.h"

#include <QWidget>

class CLanguageText;
class CThemedIconButton;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

// The program's own help viewer: the table of contents of a help folder
// beside the page it shows, Back and Forward, and a find field for the page.
// Asked for a page the folder lacks, it shows the start page with a line
// saying which page is missing. Links to anything but the folder's pages go
// to the desktop.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    enum class Direction { Forward, Backward };

    // A top-level window that belongs to owner: it closes with it and stays
    // usable while owner is modal.
    HelpWindow(const CLanguageText &texts, QWidget &owner);
    ~HelpWindow() override;

    // Shows a page of a help folder (empty: the start page). The folder's
    // project is read when the folder changes; the texts are looked up on
    // every call, so a language change shows.
    void Open(const QString &folder, const QString &page);

    QString Folder() const { return m_strFolder; }
    // Selects the next place in the page that holds text, after (or before)
    // the current selection, wrapping around once. False when the page does
    // not hold it; the find field then says so.
    bool Find(const QString &text, Direction direction);
    void Back();
    void Forward();

    QTreeWidget *Contents() const { return m_pContents; }

private:
    void CreateControls();
    void LayOutControls();
    void ConnectControls();
    void ApplyTexts();
    void LoadProject(const QString &folder);
    void AddTopics(QTreeWidgetItem *parent, const std::vector<help::Topic> &topics);
    void ShowPage(const QString &page);
    void OnLinkClicked(const QUrl &url);
    void OnPageShown(const QUrl &url);
    void OnFindEdited();
    QString PageOf(const QUrl &url) const;

    const CLanguageText &m_texts;
    CThemeApi m_theme; // outlives the buttons bound to it: declared before them
    QString m_strFolder;
    help::Project m_project;
    CThemedIconButton *m_btnBack = nullptr;
    CThemedIconButton *m_btnForward = nullptr;
    QLabel *m_stcFind = nullptr;
    QLineEdit *m_edtFind = nullptr;
    CThemedIconButton *m_btnFindNext = nullptr;
    CThemedIconButton *m_btnFindPrevious = nullptr;
    QLabel *m_stcNoMatch = nullptr;
    QLabel *m_stcMissing = nullptr;
    QTreeWidget *m_pContents = nullptr;
    QTextBrowser *m_pBrowser = nullptr;
};

// Opens the help window of asker (one per asking window) at a page of the
// help that goes with the language file (HelpFolderPath), and raises it. A
// help folder that does not exist shows nothing and reports nothing, as a
// help file that cannot be opened does. Returns the window, or nullptr.
HelpWindow *ShowHelp(QWidget &asker, const CLanguageText &texts, const QString &programFolder,
                     const QString &languageFile, const QString &page);
