#include "settings/COtherSettingsDlg.h"

#include "lang/CLanguageText.h"
#include "lang/WindowTexts.h"
#include "platform/MessageBoxType.h"
#include "platform/WindowMessageBox.h"

#include "TextIds.h"
#include "ui_COtherSettingsDlg.h"

#include <QShowEvent>

#include <utility>

COtherSettingsDlg::COtherSettingsDlg(const CLanguageText *texts, QWidget *parent)
    : QDialog(parent), m_pTexts(texts), m_ui(std::make_unique<Ui::COtherSettingsDlg>())
{
    m_ui->setupUi(this);
    RouteHelpKey(*this, [this] {
        if (m_help)
            m_help(*this, QLatin1String(helppage::OtherSettings));
    });
    connect(m_ui->m_btnOk, &QPushButton::clicked, this, &COtherSettingsDlg::accept);
    connect(m_ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->m_btnReset, &QPushButton::clicked, this, &COtherSettingsDlg::OnReset);
    // The check boxes first, then the limits.
    const std::pair<QAbstractButton *, int *> checks[] = {
        {m_ui->m_btnBurnProof, &m_bBurnProof},
        {m_ui->m_btnNoEject, &m_bNoEject},
        {m_ui->m_btnSimulate, &m_bSimulate},
        {m_ui->m_btnVerify, &m_bVerify},
        {m_ui->m_btnNoOverwriteAsk, &m_bNoOverwriteAsk},
        {m_ui->m_btnBookType, &m_bBookType},
        {m_ui->m_btnForceShutdown, &m_bForceShutdown},
        {m_ui->m_btnLabel16, &m_bLabel16},
        {m_ui->m_btnIgnoreSize, &m_bIgnoreSize},
    };
    for (const auto &[box, state] : checks)
        m_ddx.Check(box, state);
    const std::pair<QLineEdit *, int *> limits[] = {
        {m_ui->m_edtLimitCD, &m_nLimitCD},
        {m_ui->m_edtLimitDVD, &m_nLimitDVD},
        {m_ui->m_edtLimitCDRed, &m_nLimitCDRed},
        {m_ui->m_edtLimitDVDRed, &m_nLimitDVDRed},
    };
    for (const auto &[edit, value] : limits) {
        m_ddx.Number(edit, value);
        edit->installEventFilter(this);
    }
}

COtherSettingsDlg::~COtherSettingsDlg() = default;

bool COtherSettingsDlg::UpdateData(Exchange direction, Report report)
{
    QLineEdit *invalid = m_ddx.Run(direction);
    if (invalid == nullptr)
        return true;
    if (report == Report::ShowMessage) {
        ShowInvalidLimit(m_pTexts ? m_pTexts->GetText(textid::LimitNotANumber) : QString());
        invalid->setFocus();
        invalid->selectAll();
    }
    return false;
}

void COtherSettingsDlg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        InitDialog();
    QDialog::showEvent(event);
}

void COtherSettingsDlg::InitDialog()
{
    windowtexts::BindTheme(*this, {"m_btnCancel", "m_btnOk", "m_btnReset"}, m_theme);
    if (m_pTexts)
        windowtexts::ApplyCaptions(*this, windowtexts::OtherSettingsCaptions(), *m_pTexts);
    UpdateData(Exchange::ToControls);
}

bool COtherSettingsDlg::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving a limit field takes every field over. A field that does not
    // hold a whole number is reported once, when OK is pressed, rather than
    // each time the focus moves.
    if (event->type() == QEvent::FocusOut && isVisible())
        UpdateData(Exchange::FromControls, Report::Silent);
    return QDialog::eventFilter(watched, event);
}

void COtherSettingsDlg::OnReset()
{
    ResetLimits();
    // Only the limit fields are refreshed, so check boxes ticked since the
    // last exchange stay as the user left them.
    m_ui->m_edtLimitCD->setText(QString::number(m_nLimitCD));
    m_ui->m_edtLimitDVD->setText(QString::number(m_nLimitDVD));
    m_ui->m_edtLimitCDRed->setText(QString::number(m_nLimitCDRed));
    m_ui->m_edtLimitDVDRed->setText(QString::number(m_nLimitDVDRed));
}

void COtherSettingsDlg::accept()
{
    if (!UpdateData(Exchange::FromControls))
        return;
    m_bChanged = 1;
    QDialog::accept();
}

void COtherSettingsDlg::ShowInvalidLimit(const QString &text)
{
    RunMessageBox(this, text, windowTitle(), mb::Ok | mb::IconWarning);
}
