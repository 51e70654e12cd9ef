#pragma once

#include "controls/CThemeApi.h"
#include "version/ProductVersion.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class CAboutDlg;
}

// The About box: product and version line, thanks and translation credit,
// mail and homepage links and the donation button, all worded by the
// current language file.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    // Looks a numbered text up in the current language file.
    using TextLookup = std::function<QString(int id)>;

    static constexpr auto ProductName = ORVANE_PRODUCT_NAME;
    static constexpr auto Version = ORVANE_PRODUCT_VERSION;
    static constexpr auto ApiVersion = "6.0";
    static constexpr auto BuildDate = "Apr  7 2005";

    explicit CAboutDlg(TextLookup texts, QWidget *parent = nullptr);
    ~CAboutDlg() override;

    // The version line shown in the box's version frame.
    static QString VersionLine();

    QString m_strVersion;
    QString m_strThanks;
    QString m_strTranslation;

protected:
    // Reports a link that could not be opened.
    virtual void ShowLinkError(const QString &text);
    void showEvent(QShowEvent *event) override;

private:
    void FillTexts();
    void InitDialog();

    TextLookup m_texts;
    CThemeApi m_theme;
    std::unique_ptr<Ui::CAboutDlg> m_ui;
};
