#include "app/WindowSpeedListPort.h"

#include "app/CBurnDlg.h"
#include "platform/GuiThread.h"

void WindowSpeedListPort::ClearSpeedList()
{
    RunOnGuiThread([this] { m_window.m_cmbSpeed->clear(); }, Blocking::Wait);
}

void WindowSpeedListPort::AddSpeed(const QString &text)
{
    RunOnGuiThread([this, text] { m_window.m_cmbSpeed->addItem(text); }, Blocking::Wait);
}

void WindowSpeedListPort::EnableSpeedList(bool enable)
{
    RunOnGuiThread([this, enable] { m_window.m_cmbSpeed->setEnabled(enable); }, Blocking::Wait);
}

void WindowSpeedListPort::SelectSpeed(int index)
{
    RunOnGuiThread([this, index] { m_window.m_cmbSpeed->setCurrentIndex(index); }, Blocking::Wait);
}

int WindowSpeedListPort::SelectedSpeed() const
{
    int index = -1;
    RunOnGuiThread([this, &index] { index = m_window.m_cmbSpeed->currentIndex(); }, Blocking::Wait);
    return index;
}
