#include "app/CBurnDlg.h"

#include "lang/CLanguageText.h"
#include "platform/CPathHelper.h"
#include "platform/GuiThread.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>

namespace {

const char *const ControlIdProperty = "controlId";
const char *const CommandIdProperty = "commandId";

} // namespace

CBurnDlg::CBurnDlg(QWidget *parent)
    : QDialog(parent)
{
    // The long-lived objects, in the order the rest of the program expects
    // them to come into being; the text source starts without a file.
    m_pPath = std::make_unique<CPathHelper>();
    m_pLang = std::make_unique<CLanguageText>(m_strLangFile);
    m_pFsFlagsDlg = std::make_unique<FsFlagsSettings>();
    m_pOtherDlg = std::make_unique<OtherSettingsValues>();
    m_pAudioDlg = std::make_unique<AudioSettings>();
    m_evtJobDone.Reset();

    setupUi(this);
    layout()->setMenuBar(m_menuBar);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    m_logPane = CLogPane(m_edtLog);
    BindData();
    ConnectCommands();
}

CBurnDlg::~CBurnDlg()
{
    m_pPath.reset();
    m_pLang.reset();
    m_pFsFlagsDlg.reset();
    m_pOtherDlg.reset();
    m_pAudioDlg.reset();
}

void CBurnDlg::BindData()
{
    m_ddx.Text(m_edtSourceDir, &m_strSourceDir);
    m_ddx.Text(m_edtStatus, &m_strStatus);
    m_ddx.Radio({m_btnFullErase, m_btnQuickErase}, &m_nEraseMode);
    m_ddx.Text(m_edtVolume, &m_strVolume);
    m_ddx.Check(m_btnReallocate, &m_bReallocate);
    m_ddx.ComboIndex(m_cmbSpeed, &m_nSpeedIndex);
    m_ddx.Check(m_btnShutdown, &m_bShutdown);
    m_ddx.Radio({m_btnDvd, m_btnCd}, &m_nMedia);
    m_ddx.Check(m_btnVerify, &m_bVerify);
}

void CBurnDlg::ConnectCommands()
{
    // clicked and activated fire for the user's actions only, not when a
    // data exchange sets a control.
    connect(m_btnQuit, &QAbstractButton::clicked, this, &CBurnDlg::reject);
    connect(m_btnSaveLog, &QAbstractButton::clicked, this, &CBurnDlg::OnSaveLog);
    connect(m_btnClearLog, &QAbstractButton::clicked, this, &CBurnDlg::OnClearLog);
    connect(m_btnAbort, &QAbstractButton::clicked, this, &CBurnDlg::OnAbort);
    connect(m_btnFullErase, &QAbstractButton::clicked, this, &CBurnDlg::OnControlChanged);
    connect(m_btnQuickErase, &QAbstractButton::clicked, this, &CBurnDlg::OnControlChanged);
    connect(m_btnVerify, &QAbstractButton::clicked, this, &CBurnDlg::OnControlChanged);
    connect(m_cmbSpeed, &QComboBox::activated, this, &CBurnDlg::OnControlChanged);
    connect(m_actSaveSettings, &QAction::triggered, this, &CBurnDlg::OnSaveSettings);
}

void CBurnDlg::UpdateData(bool toMembers)
{
    RunOnGuiThread([this, toMembers] {
        m_ddx.Run(toMembers ? Exchange::FromControls : Exchange::ToControls);
    }, Blocking::Wait);
}

QWidget *CBurnDlg::GetDlgItem(int controlId) const
{
    const auto children = findChildren<QWidget *>();
    for (QWidget *child : children) {
        const QVariant id = child->property(ControlIdProperty);
        if (id.isValid() && id.toInt() == controlId)
            return child;
    }
    return nullptr;
}

QAction *CBurnDlg::GetMenuCommand(int commandId) const
{
    const auto actions = findChildren<QAction *>();
    for (QAction *action : actions) {
        const QVariant id = action->property(CommandIdProperty);
        if (id.isValid() && id.toInt() == commandId)
            return action;
    }
    return nullptr;
}

void CBurnDlg::keyPressEvent(QKeyEvent *event)
{
    // Neither Escape nor Alt+F4 closes the window: a run must not end by a
    // stray key press. (A window manager turns Alt+F4 into a close request,
    // which closeEvent treats like the title bar's close button.)
    const bool escape = event->key() == Qt::Key_Escape;
    const bool altF4 = event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier);
    if (escape || altF4) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CBurnDlg::closeEvent(QCloseEvent *event)
{
    if (IsBusy()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CBurnDlg::reject()
{
    OnCancel();
}

void CBurnDlg::OnControlChanged()
{
    UpdateData(true);
}
