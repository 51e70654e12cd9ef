#include "lang/LanguageCommand.h"

#include "lang/CLanguageDlg.h"
#include "lang/CLanguageText.h"
#include "lang/LanguageFile.h"

void RunLanguageCommand(const LanguageCommandWindow &window)
{
    CLanguageDlg dialog(window.texts, window.owner);
    dialog.setObjectName(QStringLiteral("CLanguageDlg"));
    dialog.SetFolder(window.programFolder);
    dialog.SetCurrent(*window.language);
    dialog.SetHelpOpener(window.openHelp);
    dialog.exec();
    *window.language = dialog.Chosen();
    // No length test here: a short name chosen in the dialog is used as it is.
    window.texts->SetFile(langfile::LanguageFilePath(window.programFolder, *window.language));
    if (window.applyWindowTexts)
        window.applyWindowTexts();
    if (dialog.m_bChanged) {
        dialog.m_bChanged = 0;
        if (window.saveSettings)
            window.saveSettings();
    }
}
