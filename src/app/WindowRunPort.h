#pragma once

#include "cmdline/RunPorts.h"

class CBurnDlg;

// The main window as the command-line run drives it.
class WindowRunPort : public IRunWindow, public IRunEnd
{
public:
    explicit WindowRunPort(CBurnDlg &window) : m_window(window) {}

    bool HasEnded() const override;
    void Minimize() override;
    void OfferBurn() override;
    void ShowImageChoice() override;
    void SetOtherSwitch(OtherSwitch which) override;
    void OnShutdownCheck() override;
    void Close() override;
    QString JobAbortSignalLine() const override;

    void RunShutdown() override;
    void WriteLogFile(int kind) override;
    void Notice(const QString &line) override;

private:
    CBurnDlg &m_window;
};
