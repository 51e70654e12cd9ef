#include "settings/CAudioDlg.h"

#include "lang/WindowTexts.h"
#include "platform/CFilePicker.h"

#include "ui_CAudioDlg.h"

#include <QShowEvent>
#include <QSoundEffect>
#include <QUrl>

namespace {

std::optional<QString> ChooseWithPicker(QWidget *owner)
{
    CFilePicker picker(CFilePicker::Open, QString(), QStringLiteral("*.wav"), 0, CFilePicker::WaveFilters(),
                       owner);
    if (picker.Run() != CFilePicker::Confirmed)
        return std::nullopt;
    return picker.GetPath();
}

} // namespace

CAudioDlg::CAudioDlg(const CLanguageText *texts, QWidget *parent)
    : QDialog(parent), m_pTexts(texts), m_ui(std::make_unique<Ui::CAudioDlg>()),
      m_chooseFile(ChooseWithPicker)
{
    m_ui->setupUi(this);
    RouteHelpKey(*this, [this] {
        if (m_help)
            m_help(*this, QLatin1String(helppage::Audio));
    });
    SetSoundPlayer({});
    m_ui->m_edtSuccessWave->setMinimumWidth(260);
    m_ui->m_edtErrorWave->setMinimumWidth(260);
    connect(m_ui->m_btnOk, &QPushButton::clicked, this, &CAudioDlg::accept);
    connect(m_ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->m_btnSuccessWav, &QPushButton::clicked, this, [this] { OnChooseWave(m_strSuccessWave); });
    connect(m_ui->m_btnErrorWav, &QPushButton::clicked, this, [this] { OnChooseWave(m_strErrorWave); });
    connect(m_ui->m_btnSuccessPlay, &QPushButton::clicked, this, [this] { OnPlay(m_strSuccessWave); });
    connect(m_ui->m_btnErrorPlay, &QPushButton::clicked, this, [this] { OnPlay(m_strErrorWave); });
    connect(m_ui->m_btnEnableAudio, &QCheckBox::clicked, this, &CAudioDlg::OnEnableAudio);
    m_ddx.Text(m_ui->m_edtErrorWave, &m_strErrorWave);
    m_ddx.Text(m_ui->m_edtSuccessWave, &m_strSuccessWave);
    m_ddx.Check(m_ui->m_btnEnableAudio, &m_bEnableAudio);
}

CAudioDlg::~CAudioDlg() = default;

void CAudioDlg::SetSoundPlayer(SoundPlayer player)
{
    m_play = player ? std::move(player) : SoundPlayer([this](const QString &path) { PlayWithDevice(path); });
}

void CAudioDlg::PlayWithDevice(const QString &path)
{
    // Asynchronous: play() returns at once. A sound still playing is cut off.
    if (!m_pEffect)
        m_pEffect = new QSoundEffect(this);
    m_pEffect->stop();
    m_pEffect->setSource(QUrl::fromLocalFile(path));
    m_pEffect->play();
}

void CAudioDlg::SetFileChooser(FileChooser chooser)
{
    m_chooseFile = chooser ? std::move(chooser) : FileChooser(ChooseWithPicker);
}

bool CAudioDlg::UpdateData(Exchange direction)
{
    m_ddx.Run(direction);
    return true;
}

void CAudioDlg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        InitDialog();
    QDialog::showEvent(event);
}

void CAudioDlg::InitDialog()
{
    if (m_pTexts) {
        windowtexts::ApplyCaptions(*this, windowtexts::AudioCaptions(), *m_pTexts);
        windowtexts::ApplyIconButtons(*this, windowtexts::AudioIconButtons(), *m_pTexts, m_theme);
    }
    UpdateData(Exchange::ToControls);
    EnablePathControls();
}

void CAudioDlg::EnablePathControls()
{
    const bool enabled = m_bEnableAudio != 0;
    for (QWidget *control :
         std::initializer_list<QWidget *>{m_ui->m_edtSuccessWave, m_ui->m_edtErrorWave, m_ui->m_btnSuccessWav,
                                          m_ui->m_btnErrorWav, m_ui->m_btnSuccessPlay, m_ui->m_btnErrorPlay})
        control->setEnabled(enabled);
}

void CAudioDlg::OnChooseWave(QString &path)
{
    const std::optional<QString> chosen = m_chooseFile(this);
    if (!chosen)
        return;
    path = *chosen;
    // Also replaces text typed into the other field and not yet taken over.
    UpdateData(Exchange::ToControls);
}

void CAudioDlg::OnPlay(const QString &path)
{
    // The path as last taken over, not what the field shows right now.
    if (path.size() > 4 && m_play)
        m_play(path);
}

void CAudioDlg::OnEnableAudio()
{
    UpdateData(Exchange::FromControls);
    EnablePathControls();
}

void CAudioDlg::accept()
{
    m_bChanged = 1;
    UpdateData(Exchange::FromControls);
    QDialog::accept();
}
