#include "app/CBurnDlg.h"

#include "controls/ProgramImages.h"
#include "jobs/label/SourceFieldEvents.h"
#include "jobs/label/VolumeLabel.h"
#include "lang/CLanguageText.h"
#include "lang/HelpFile.h"
#include "platform/CPathHelper.h"
#include "platform/GuiThread.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

CBurnDlg::CBurnDlg(RegistryStore &registry, QWidget *parent) : QDialog(parent), m_registry(registry)
{
    // The long-lived objects, in the order the rest of the program expects
    // them to come into being; the text source starts without a file.
    m_pPath = std::make_unique<CPathHelper>();
    m_pLang = std::make_unique<CLanguageText>(m_strLangFile);
    // The settings dialogs are not children of the window: their controls
    // share member names with the window's (m_btnVerify, m_btnDvd), and the
    // window finds its controls by name.
    m_pFsFlagsDlg = std::make_unique<CFsFlagsDlg>(m_pLang.get());
    m_pOtherDlg = std::make_unique<COtherSettingsDlg>(m_pLang.get());
    m_pAudioDlg = std::make_unique<CAudioDlg>(m_pLang.get());
    m_pAudioDlg->SetSoundPlayer([this](const QString &path) { m_sound.Play(path); });
    const HelpOpener help = [this](QWidget &asker, const QString &page) { OpenHelpFor(asker, page); };
    m_pFsFlagsDlg->SetHelpOpener(help);
    m_pOtherDlg->SetHelpOpener(help);
    m_pAudioDlg->SetHelpOpener(help);
    m_hIcon = programimages::WindowIcon();

    setupUi(this);
    layout()->setMenuBar(m_menuBar);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    m_logPane = CLogPane(m_edtLog);
    m_dvdCheck = std::make_unique<BackgroundDvdCheck>([this](int id) { return GetText(id); },
                                                      [this](const QStringList &lines) {
                                                          for (const QString &line : lines)
                                                              AppendLog(line);
                                                      });
    BindData();
    ConnectCommands();
}

CBurnDlg::~CBurnDlg()
{
    m_commandLine.Stop();
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
    // data exchange sets a control. A click queued while the window was busy
    // can arrive in the moment between an erase and the burn that follows
    // it: the commands that drive the recorder go through the job, which
    // does nothing while another job runs.
    connect(m_btnQuit, &QAbstractButton::clicked, this, &CBurnDlg::reject);
    connect(m_btnSaveLog, &QAbstractButton::clicked, this, &CBurnDlg::OnSaveLog);
    connect(m_btnClearLog, &QAbstractButton::clicked, this, &CBurnDlg::OnClearLog);
    connect(m_btnBurn, &QAbstractButton::clicked, this, &CBurnDlg::OnBurn);
    connect(m_btnShutdown, &QAbstractButton::clicked, this, &CBurnDlg::OnShutdownCheck);
    connect(m_btnAbort, &QAbstractButton::clicked, this, &CBurnDlg::OnAbort);
    connect(m_btnFullErase, &QAbstractButton::clicked, this, &CBurnDlg::OnControlChanged);
    connect(m_btnQuickErase, &QAbstractButton::clicked, this, &CBurnDlg::OnControlChanged);
    connect(m_btnVerify, &QAbstractButton::clicked, this, &CBurnDlg::OnControlChanged);
    connect(m_cmbSpeed, &QComboBox::activated, this, &CBurnDlg::OnControlChanged);
    connect(m_btnDirectory, &QAbstractButton::clicked, this, &CBurnDlg::OnDirectory);
    connect(m_btnAbout, &QAbstractButton::clicked, this, &CBurnDlg::OnAbout);
    connect(m_btnHelp, &QAbstractButton::clicked, this, &CBurnDlg::OnHelp);
    RouteHelpKey(*this, [this] { OnHelp(); });
    connect(m_actFsFlags, &QAction::triggered, this, &CBurnDlg::OnFsFlags);
    connect(m_actOtherSettings, &QAction::triggered, this, &CBurnDlg::OnOtherSettings);
    connect(m_actLanguage, &QAction::triggered, this, &CBurnDlg::OnLanguage);
    connect(m_actAudio, &QAction::triggered, this, &CBurnDlg::OnAudio);
    connect(m_actSaveSettings, &QAction::triggered, this, &CBurnDlg::OnSaveSettings);
    connect(m_edtVolume, &QLineEdit::textChanged, this, &CBurnDlg::OnVolumeTextChanged);
    connect(m_btnDvd, &QAbstractButton::clicked, this,
            [this] { m_jobs.Job().WhenIdle([this] { m_jobs.Setup().OnMediaDvd(); }); });
    connect(m_btnCd, &QAbstractButton::clicked, this,
            [this] { m_jobs.Job().WhenIdle([this] { m_jobs.Setup().OnMediaCd(); }); });
    connect(m_btnSpeeds, &QAbstractButton::clicked, this,
            [this] { m_jobs.Job().WhenIdle([this] { m_jobs.Setup().OnRefreshDevices(); }); });
    connect(m_cmbDevice, &QComboBox::activated, this,
            [this] { m_jobs.Job().WhenIdle([this] { m_jobs.Setup().OnDeviceChanged(); }); });
    connect(m_btnReallocate, &QAbstractButton::clicked, this,
            [this] { m_jobs.Setup().OnReallocateClicked(); });
    connect(m_btnErase, &QAbstractButton::clicked, this, [this] { m_jobs.Job().OnEraseButton(); });
    connect(m_btnEject, &QAbstractButton::clicked, this, [this] { m_jobs.Job().OnEject(); });
    connect(this, &CBurnDlg::commandLineRunRequested, this, &CBurnDlg::StartCommandLineRun);
    m_edtSourceDir->installEventFilter(this);
    m_edtVolume->installEventFilter(this);
}

bool CBurnDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == m_edtSourceDir)
            ::OnSourceFieldLeft(SourceFields());
        else if (watched == m_edtVolume)
            ::OnVolumeFieldLeft(*this, SourceFields());
    }
    return QDialog::eventFilter(watched, event);
}

void CBurnDlg::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && !IsBusy())
        event->acceptProposedAction();
}

void CBurnDlg::dropEvent(QDropEvent *event)
{
    QStringList paths;
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    ::OnItemsDropped(paths, *this, SourceFields());
    event->acceptProposedAction();
}

void CBurnDlg::UpdateData(Exchange direction)
{
    RunOnGuiThread(
        [this, direction] {
            m_bExchanging = true;
            m_ddx.Run(direction);
            m_bExchanging = false;
        },
        Blocking::Wait);
}

void CBurnDlg::OnVolumeTextChanged()
{
    // A label shown by a data exchange changes the text in the middle of
    // that exchange; pulling every control into the members then would undo
    // the members not yet shown. The counter is refreshed from the field.
    if (m_bExchanging)
        SetLabelRoomText(LabelRoomText(m_edtVolume->text(), LabelLimit()));
    else
        ShowLabelRoom();
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
    UpdateData(Exchange::FromControls);
}
