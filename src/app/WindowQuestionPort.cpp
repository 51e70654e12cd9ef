#include "app/WindowQuestionPort.h"

#include "app/CBurnDlg.h"
#include "platform/CFilePicker.h"
#include "platform/GuiThread.h"
#include "platform/WindowMessageBox.h"

#include <cstdio>

int WindowQuestionPort::ShowAppMessageBox(const QString &text, const QString &caption, unsigned type)
{
    return m_window.ShowAppMessageBox(text, caption, type);
}

std::optional<QString> WindowQuestionPort::ChooseImageFile(const QString &proposedName)
{
    // Without a display nobody could pick the file and the dialog would wait
    // for ever: it counts as cancelled, as a message box answers its default.
    if (!HasDisplay()) {
        std::fprintf(stderr, "[Image file] no display to choose where %s goes: cancelled\n",
                     proposedName.toLocal8Bit().constData());
        return std::nullopt;
    }
    std::optional<QString> chosen;
    RunOnGuiThread(
        [this, &chosen, &proposedName] {
            CFilePicker picker(CFilePicker::Save, QString(), proposedName, CFilePicker::OverwritePrompt,
                               CFilePicker::ImageFilters(), &m_window);
            if (picker.Run() == CFilePicker::Confirmed)
                chosen = picker.GetPath();
        },
        Blocking::Wait);
    return chosen;
}
