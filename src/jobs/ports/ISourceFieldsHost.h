#pragma once

#include <QString>

// The main window as the source and label operations see it: the two
// fields' members, the data exchange, the label-length counter and the
// window's own operations those steps call in turn. CBurnDlg implements it;
// tests implement it to record the order of the steps.
class ISourceFieldsHost
{
public:
    virtual ~ISourceFieldsHost() = default;

    virtual QString &SourceDir() = 0; // m_strSourceDir, the "DVD Root" field
    virtual QString &Volume() = 0;    // m_strVolume, the "Volume" field
    // 16 or 32 (VolumeLabelLimit of the short-label option).
    virtual int LabelLimit() const = 0;

    // Data exchange: the field values into the members, and back.
    virtual void PullFields() = 0;
    virtual void PushFields() = 0;

    // Shows the counter text beside "Length:" (m_stcLength).
    virtual void SetLabelRoomText(const QString &text) = 0;

    // The window's operations, which the events below run in their order.
    virtual void CheckSourceSize() = 0;
    virtual void SetLabelFromFolder(const QString &path) = 0;
    virtual void ShowLabelRoom() = 0;
    // A folder was chosen (Directory button, drop, the default folder): the
    // window checks it as a DVD-Video in the background.
    virtual void SourceFolderChosen() {}

    // The folder picker (CFilePicker::BrowseFolder, owned by the window):
    // 1 with chosen set when a folder was picked, 2 when cancelled or failed.
    virtual int BrowseForFolder(const QString &title, const QString &initialFolder, unsigned flags,
                                QString &chosen) = 0;
};
