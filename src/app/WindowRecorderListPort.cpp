#include "app/WindowRecorderListPort.h"

#include "app/CBurnDlg.h"
#include "platform/GuiThread.h"

void WindowRecorderListPort::ClearDeviceList()
{
    RunOnGuiThread([this] { m_window.m_cmbDevice->clear(); }, Blocking::Wait);
}

void WindowRecorderListPort::AddDevice(const QString &name, const DeviceInfo *device)
{
    RunOnGuiThread(
        [this, name, device] {
            m_window.m_cmbDevice->addItem(name, QVariant::fromValue(static_cast<const void *>(device)));
        },
        Blocking::Wait);
}

void WindowRecorderListPort::SelectDevice(int index)
{
    // setCurrentIndex does not emit activated, so OnDeviceChanged stays quiet.
    RunOnGuiThread([this, index] { m_window.m_cmbDevice->setCurrentIndex(index); }, Blocking::Wait);
}

const DeviceInfo *WindowRecorderListPort::SelectedDevice() const
{
    const void *device = nullptr;
    RunOnGuiThread(
        [this, &device] {
            if (m_window.m_cmbDevice->currentIndex() >= 0)
                device = m_window.m_cmbDevice->currentData().value<const void *>();
        },
        Blocking::Wait);
    return static_cast<const DeviceInfo *>(device);
}

QString WindowRecorderListPort::SelectedDeviceText() const
{
    QString text;
    RunOnGuiThread([this, &text] { text = m_window.m_cmbDevice->currentText(); }, Blocking::Wait);
    return text;
}
