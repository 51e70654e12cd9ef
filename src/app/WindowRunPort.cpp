#include "app/WindowRunPort.h"

#include "app/CBurnDlg.h"
#include "platform/GuiThread.h"

bool WindowRunPort::HasEnded() const
{
    return m_window.HasEnded();
}

void WindowRunPort::Minimize()
{
    RunOnGuiThread([this] { m_window.showMinimized(); }, Blocking::Wait);
}

void WindowRunPort::OfferBurn()
{
    RunOnGuiThread([this] { m_window.m_btnBurn->setEnabled(true); }, Blocking::Wait);
}

void WindowRunPort::ShowImageChoice()
{
    RunOnGuiThread([this] { m_window.ShowImageChoice(); }, Blocking::Wait);
}

void WindowRunPort::SetOtherSwitch(OtherSwitch which)
{
    // The dialog's values belong to the GUI thread.
    RunOnGuiThread(
        [this, which] {
            if (which == OtherSwitch::NoEject)
                m_window.m_pOtherDlg->m_bNoEject = 1;
            else
                m_window.m_pOtherDlg->m_bNoOverwriteAsk = 1;
        },
        Blocking::Wait);
}

void WindowRunPort::OnShutdownCheck()
{
    m_window.OnShutdownCheck();
}

void WindowRunPort::Close()
{
    RunOnGuiThread([this] { m_window.OnCancel(); }, Blocking::Wait);
}

QString WindowRunPort::JobAbortSignalLine() const
{
    return m_window.JobAbortSignalLine();
}

void WindowRunPort::Notice(const QString &line)
{
    m_window.AppendNotice(line);
}

void WindowRunPort::RunShutdown()
{
    m_window.RunShutdown();
}

void WindowRunPort::WriteLogFile(int kind)
{
    m_window.WriteLogFile(kind);
}
