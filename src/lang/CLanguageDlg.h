#pragma once

#include "controls/CThemeApi.h"
#include "lang/HelpFile.h"

#include <QDialog>

#include <memory>

class CLanguageText;

namespace Ui {
class CLanguageDlg;
}

// Lists the language files (*.lng) of a folder, sorted, with the current one
// preselected. OK takes the selected file and sets m_bChanged; Cancel keeps
// the current value. With no language file in the folder, OK keeps the
// current value too.
class CLanguageDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CLanguageDlg(const CLanguageText *texts, QWidget *parent = nullptr);
    ~CLanguageDlg() override;

    // F1 opens the help at the page about this dialog through opener.
    void SetHelpOpener(HelpOpener opener) { m_help = std::move(opener); }

    // Before the dialog runs: the folder to search and the current value.
    void SetFolder(const QString &folder) { m_strFolder = folder; }
    void SetCurrent(const QString &language);

    // After it ran: the chosen file name (the current value after Cancel).
    QString Chosen() const { return m_strChosen; }

    // The language files of a folder, sorted as the list shows them.
    static QStringList LanguageFiles(const QString &folder);
    // The entry that begins with current (letter case ignored), else the
    // first; -1 for an empty list.
    static int PreselectedIndex(const QStringList &files, const QString &current);

    unsigned char m_bChanged = 0;

protected:
    void showEvent(QShowEvent *event) override;
    void accept() override;
    void reject() override;

private:
    void InitDialog();

    const CLanguageText *m_pTexts;
    CThemeApi m_theme;
    std::unique_ptr<Ui::CLanguageDlg> m_ui;
    QString m_strFolder;
    QString m_strCurrent;
    QString m_strChosen;
    HelpOpener m_help;
};
