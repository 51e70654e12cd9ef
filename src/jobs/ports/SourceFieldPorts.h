#pragma once

#include <QString>

// The main window as the source and label operations see it, in two ports:
// the two fields with their members, data exchange and helpers, and the
// window's own steps that the events run in their order. CBurnDlg
// implements both; tests implement them to record the order of the steps.

// The "DVD Root" and "Volume" fields.
class ISourceFields
{
public:
    virtual ~ISourceFields() = default;

    virtual QString &SourceDir() = 0; // m_strSourceDir, the "DVD Root" field
    virtual QString &Volume() = 0;    // m_strVolume, the "Volume" field
    // 16 or 32 (VolumeLabelLimit of the short-label option).
    virtual int LabelLimit() const = 0;

    // Data exchange: the field values into the members, and back.
    virtual void PullFields() = 0;
    virtual void PushFields() = 0;

    // Shows the counter text beside "Length:" (m_stcLength).
    virtual void SetLabelRoomText(const QString &text) = 0;

    // The folder picker (CFilePicker::BrowseFolder, owned by the window):
    // 1 with chosen set when a folder was picked, 2 when cancelled or failed.
    virtual int BrowseForFolder(const QString &title, const QString &initialFolder, unsigned flags,
                                QString &chosen) = 0;
};

// The window's operations the field events run in turn.
class ISourceFieldSteps
{
public:
    virtual ~ISourceFieldSteps() = default;

    virtual void CheckSourceSize() = 0;
    virtual void SetLabelFromFolder(const QString &path) = 0;
    virtual void ShowLabelRoom() = 0;
    // A folder was chosen (Directory button, drop, the default folder): the
    // window checks it as a DVD-Video in the background.
    virtual void SourceFolderChosen() {}
};

// Both, as the field events take them.
struct SourceFieldPorts
{
    ISourceFields &fields;
    ISourceFieldSteps &steps;
};
