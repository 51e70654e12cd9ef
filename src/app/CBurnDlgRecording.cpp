// The recording set-up and the controls, displays and settings the
// recording jobs drive. The jobs may run on worker threads: every widget
// access here goes through the GUI thread.
#include "app/CBurnDlg.h"

#include "log/TerminalEcho.h"
#include "platform/WindowMessageBox.h"
#include "platform/CFilePicker.h"
#include "platform/GuiThread.h"
#include "platform/MessageBoxType.h"

#include <cstdio>

void CBurnDlg::InitRecording(int mediaSet)
{
    m_jobs.Setup().InitRecording(static_cast<uint32_t>(mediaSet));
}

void CBurnDlg::DoneRecording()
{
    m_jobs.Setup().DoneRecording();
}

void CBurnDlg::ClearDeviceList()
{
    RunOnGuiThread([this] { m_cmbDevice->clear(); }, Blocking::Wait);
}

void CBurnDlg::AddDevice(const QString &name, const DeviceInfo *device)
{
    RunOnGuiThread([this, name, device] {
        m_cmbDevice->addItem(name, QVariant::fromValue(static_cast<const void *>(device)));
    }, Blocking::Wait);
}

void CBurnDlg::SelectDevice(int index)
{
    // setCurrentIndex does not emit activated, so OnDeviceChanged stays quiet.
    RunOnGuiThread([this, index] { m_cmbDevice->setCurrentIndex(index); }, Blocking::Wait);
}

const DeviceInfo *CBurnDlg::SelectedDevice() const
{
    const void *device = nullptr;
    RunOnGuiThread([this, &device] {
        if (m_cmbDevice->currentIndex() >= 0)
            device = m_cmbDevice->currentData().value<const void *>();
    }, Blocking::Wait);
    return static_cast<const DeviceInfo *>(device);
}

QString CBurnDlg::SelectedDeviceText() const
{
    QString text;
    RunOnGuiThread([this, &text] { text = m_cmbDevice->currentText(); }, Blocking::Wait);
    return text;
}

void CBurnDlg::ClearSpeedList()
{
    RunOnGuiThread([this] { m_cmbSpeed->clear(); }, Blocking::Wait);
}

void CBurnDlg::AddSpeed(const QString &text)
{
    RunOnGuiThread([this, text] { m_cmbSpeed->addItem(text); }, Blocking::Wait);
}

void CBurnDlg::EnableSpeedList(bool enable)
{
    RunOnGuiThread([this, enable] { m_cmbSpeed->setEnabled(enable); }, Blocking::Wait);
}

void CBurnDlg::SelectSpeed(int index)
{
    RunOnGuiThread([this, index] { m_cmbSpeed->setCurrentIndex(index); }, Blocking::Wait);
}

int CBurnDlg::SelectedSpeed() const
{
    int index = -1;
    RunOnGuiThread([this, &index] { index = m_cmbSpeed->currentIndex(); }, Blocking::Wait);
    return index;
}

void CBurnDlg::EnableAbort(bool enable)
{
    RunOnGuiThread([this, enable] { m_btnAbort->setEnabled(enable); }, Blocking::Wait);
}

// The displays change often during a burn; nothing waits for them.
void CBurnDlg::SetProgressRange(int low, int high)
{
    EchoProgress([low, high](TerminalEcho &terminal) { terminal.SetRange(low, high); });
    RunOnGuiThread([this, low, high] { m_ctlProgress->setRange(low, high); }, Blocking::NoWait);
}

void CBurnDlg::SetProgressPos(int position)
{
    EchoProgress([position](TerminalEcho &terminal) { terminal.SetPosition(position); });
    RunOnGuiThread([this, position] { m_ctlProgress->setValue(position); }, Blocking::NoWait);
}

void CBurnDlg::SetPercentText(const QString &text)
{
    EchoProgress([&text](TerminalEcho &terminal) { terminal.SetPercentText(text); });
    RunOnGuiThread([this, text] { m_stcPercent->setText(text); }, Blocking::NoWait);
}

void CBurnDlg::SetTimeLeftText(const QString &text)
{
    EchoProgress([&text](TerminalEcho &terminal) { terminal.SetTimeLeftText(text); });
    RunOnGuiThread([this, text] { m_stcTimeLeft->setText(text); }, Blocking::NoWait);
}

void CBurnDlg::SetTimeTotalText(const QString &text)
{
    RunOnGuiThread([this, text] { m_stcTimeTotal->setText(text); }, Blocking::NoWait);
}

void CBurnDlg::SetWindowTitleText(const QString &title)
{
    RunOnGuiThread([this, title] { setWindowTitle(title); }, Blocking::NoWait);
}

int CBurnDlg::ShowAppMessageBox(const QString &text, const QString &caption, unsigned type)
{
    int answer = mb::IdCancel;
    RunOnGuiThread([this, &answer, &text, &caption, type] {
        NoteErrorBox(text, type);
        answer = RunMessageBox(this, text, caption, type);
    }, Blocking::Wait);
    return answer;
}

std::optional<QString> CBurnDlg::ChooseImageFile(const QString &proposedName)
{
    // Without a display nobody could pick the file and the dialog would wait
    // for ever: it counts as cancelled, as a message box answers its default.
    if (!HasDisplay()) {
        std::fprintf(stderr, "[Image file] no display to choose where %s goes: cancelled\n",
                     proposedName.toLocal8Bit().constData());
        return std::nullopt;
    }
    std::optional<QString> chosen;
    RunOnGuiThread([this, &chosen, &proposedName] {
        CFilePicker picker(CFilePicker::Save, QString(), proposedName, CFilePicker::OverwritePrompt,
                           CFilePicker::ImageFilters(), this);
        if (picker.Run() == CFilePicker::Confirmed)
            chosen = picker.GetPath();
    }, Blocking::Wait);
    return chosen;
}

uint32_t CBurnDlg::GetFsFlags() const
{
    return static_cast<uint32_t>(m_pFsFlagsDlg->GetFsFlags());
}

uint32_t CBurnDlg::GetBurnFlags() const
{
    return static_cast<uint32_t>(m_pOtherDlg->GetBurnFlags());
}

uint32_t CBurnDlg::GetMoreFlags() const
{
    return static_cast<uint32_t>(m_pOtherDlg->GetMoreFlags());
}

jobs::SoundSettings CBurnDlg::GetSoundSettings() const
{
    return {m_pAudioDlg->IsAudioEnabled() != 0, m_pAudioDlg->GetSuccessWave(), m_pAudioDlg->GetErrorWave()};
}

void CBurnDlg::ApplyFsDefaults(int media)
{
    if (media == 0)
        m_pFsFlagsDlg->ApplyDvdDefaults();
    else
        m_pFsFlagsDlg->ApplyCdvdDefaults();
}
