#pragma once

#include "jobs/ports/SourceFieldPorts.h"

class CBurnDlg;

// The main window's "DVD Root" and "Volume" fields and the steps the source
// and label events run on them. Any thread, as the window's operations are.
class WindowSourceFieldsPort : public ISourceFields, public ISourceFieldSteps
{
public:
    explicit WindowSourceFieldsPort(CBurnDlg &window) : m_window(window) {}

    QString &SourceDir() override;
    QString &Volume() override;
    int LabelLimit() const override;
    void PullFields() override;
    void PushFields() override;
    void SetLabelRoomText(const QString &text) override;
    int BrowseForFolder(const QString &title, const QString &initialFolder, unsigned flags,
                        QString &chosen) override;

    void CheckSourceSize() override;
    void SetLabelFromFolder(const QString &path) override;
    void ShowLabelRoom() override;
    void SourceFolderChosen() override;

    SourceFieldPorts Ports() { return {*this, *this}; }

private:
    CBurnDlg &m_window;
};
