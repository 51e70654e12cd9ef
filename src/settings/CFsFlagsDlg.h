#pragma once

#include "controls/CDataExchange.h"
#include "controls/CThemeApi.h"
#include "lang/HelpFile.h"
#include "settings/FsFlagsSettings.h"

#include <QDialog>

#include <memory>

class CLanguageText;

namespace Ui {
class CFsFlagsDlg;
}

// The Filesystem Flags dialog. The object lives as long as the main window
// and holds the four file-system states between runs; "&DVD" and "&cDVD"
// apply the defaults for the two media. OK sets m_bChanged; Cancel keeps the
// states as they were when the dialog opened.
class CFsFlagsDlg : public QDialog, public FsFlagsSettings
{
    Q_OBJECT

public:
    explicit CFsFlagsDlg(const CLanguageText *texts, QWidget *parent = nullptr);
    ~CFsFlagsDlg() override;

    // F1 opens the help at the page about this dialog through opener.
    void SetHelpOpener(HelpOpener opener) { m_help = std::move(opener); }

    bool UpdateData(Exchange direction);

    unsigned char m_bChanged = 0;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void InitDialog();
    void OnDvdDefaults();
    void OnCdvdDefaults();

    const CLanguageText *m_pTexts;
    CThemeApi m_theme;
    CDataExchange m_ddx;
    std::unique_ptr<Ui::CFsFlagsDlg> m_ui;
    HelpOpener m_help;
};
