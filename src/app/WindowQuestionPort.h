#pragma once

#include "jobs/ports/IQuestionPort.h"

class CBurnDlg;

// The application's message box (the window's, which tests answer) and the
// image file dialog, on the GUI thread.
class WindowQuestionPort : public IQuestionPort
{
public:
    explicit WindowQuestionPort(CBurnDlg &window) : m_window(window) {}

    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override;
    std::optional<QString> ChooseImageFile(const QString &proposedName) override;

private:
    CBurnDlg &m_window;
};
