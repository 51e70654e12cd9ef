#include "settings/CFsFlagsDlg.h"

#include "lang/WindowTexts.h"

#include "ui_CFsFlagsDlg.h"

#include <QShowEvent>

CFsFlagsDlg::CFsFlagsDlg(const CLanguageText *texts, QWidget *parent)
    : QDialog(parent), m_pTexts(texts), m_ui(std::make_unique<Ui::CFsFlagsDlg>())
{
    m_ui->setupUi(this);
    RouteHelpKey(*this, [this] {
        if (m_help)
            m_help(*this, QLatin1String(helppage::FsFlags));
    });
    connect(m_ui->m_btnOk, &QPushButton::clicked, this, &CFsFlagsDlg::accept);
    connect(m_ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->m_btnDvd, &QPushButton::clicked, this, &CFsFlagsDlg::OnDvdDefaults);
    connect(m_ui->m_btnCdvd, &QPushButton::clicked, this, &CFsFlagsDlg::OnCdvdDefaults);
    // The exchange order of the dialog: ISO 9660, Joliet, Mode 2, UDF.
    m_ddx.Check(m_ui->m_btnIso9660, &m_bIso9660);
    m_ddx.Check(m_ui->m_btnJoliet, &m_bJoliet);
    m_ddx.Check(m_ui->m_btnMode2, &m_bMode2);
    m_ddx.Check(m_ui->m_btnUdf, &m_bUdf);
}

CFsFlagsDlg::~CFsFlagsDlg() = default;

bool CFsFlagsDlg::UpdateData(Exchange direction)
{
    m_ddx.Run(direction);
    return true;
}

void CFsFlagsDlg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        InitDialog();
    QDialog::showEvent(event);
}

void CFsFlagsDlg::InitDialog()
{
    windowtexts::BindTheme(*this, {"m_btnCancel", "m_btnOk", "m_btnDvd", "m_btnCdvd"}, m_theme);
    if (m_pTexts)
        windowtexts::ApplyCaptions(*this, windowtexts::FsFlagsCaptions(), *m_pTexts);
    UpdateData(Exchange::ToControls);
}

void CFsFlagsDlg::OnDvdDefaults()
{
    ApplyDvdDefaults();
    UpdateData(Exchange::ToControls);
}

void CFsFlagsDlg::OnCdvdDefaults()
{
    ApplyCdvdDefaults();
    UpdateData(Exchange::ToControls);
}

void CFsFlagsDlg::accept()
{
    m_bChanged = 1;
    UpdateData(Exchange::FromControls);
    QDialog::accept();
}
