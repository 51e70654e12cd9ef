#pragma once

#include "controls/CDataExchange.h"
#include "controls/CThemeApi.h"
#include "lang/HelpFile.h"
#include "settings/OtherSettingsValues.h"

#include <QDialog>

#include <memory>

class CLanguageText;
class QLineEdit;

namespace Ui {
class COtherSettingsDlg;
}

// The Other Settings dialog: the BurnFlags and MoreFlags states and the four
// size limits, held by the object between runs. Leaving a limit field takes
// all fields over at once, so a changed limit survives a later Cancel in
// memory. OK checks that every limit is a whole number: if one is not, one
// message says so, the field gets the focus and the dialog stays open with
// m_bChanged untouched, so a later Cancel saves nothing.
class COtherSettingsDlg : public QDialog, public OtherSettingsValues
{
    Q_OBJECT

public:
    explicit COtherSettingsDlg(const CLanguageText *texts, QWidget *parent = nullptr);
    ~COtherSettingsDlg() override;

    // F1 opens the help at the page about this dialog through opener.
    void SetHelpOpener(HelpOpener opener) { m_help = std::move(opener); }

    enum class Report { Silent, ShowMessage };
    // Taking the controls over stops at the first limit that is not a whole
    // number (the values before it are taken) and returns false.
    bool UpdateData(Exchange direction, Report report = Report::ShowMessage);

    unsigned char m_bChanged = 0;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Shows the message for a limit that is not a whole number.
    virtual void ShowInvalidLimit(const QString &text);

private:
    void InitDialog();
    void OnReset();

    const CLanguageText *m_pTexts;
    CThemeApi m_theme;
    CDataExchange m_ddx;
    std::unique_ptr<Ui::COtherSettingsDlg> m_ui;
    HelpOpener m_help;
};
