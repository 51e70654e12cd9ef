#include "app/WindowSourceFieldsPort.h"

#include "app/CBurnDlg.h"

QString &WindowSourceFieldsPort::SourceDir()
{
    return m_window.m_strSourceDir;
}

QString &WindowSourceFieldsPort::Volume()
{
    return m_window.m_strVolume;
}

int WindowSourceFieldsPort::LabelLimit() const
{
    return m_window.LabelLimit();
}

void WindowSourceFieldsPort::PullFields()
{
    m_window.UpdateData(Exchange::FromControls);
}

void WindowSourceFieldsPort::PushFields()
{
    m_window.UpdateData(Exchange::ToControls);
}

void WindowSourceFieldsPort::SetLabelRoomText(const QString &text)
{
    m_window.SetLabelRoomText(text);
}

int WindowSourceFieldsPort::BrowseForFolder(const QString &title, const QString &initialFolder,
                                            unsigned flags, QString &chosen)
{
    return m_window.BrowseForFolder(title, initialFolder, flags, chosen);
}

void WindowSourceFieldsPort::CheckSourceSize()
{
    m_window.CheckSourceSize();
}

void WindowSourceFieldsPort::SetLabelFromFolder(const QString &path)
{
    m_window.SetLabelFromFolder(path);
}

void WindowSourceFieldsPort::ShowLabelRoom()
{
    m_window.ShowLabelRoom();
}

void WindowSourceFieldsPort::SourceFolderChosen()
{
    m_window.SourceFolderChosen();
}
