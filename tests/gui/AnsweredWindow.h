#pragma once

#include "BoxRecorder.h"
#include "app/CBurnDlg.h"

#include <functional>
#include <vector>

// The real main window with its message boxes (its own and the
// application's) answered by `boxes`: by default Yes to a question and OK
// otherwise. textProbe sees every text id looked up, on the looking-up thread.
class AnsweredWindow : public CBurnDlg
{
public:
    using Box = BoxRecorder::Box;

    explicit AnsweredWindow(RegistryStore &registry) : CBurnDlg(registry) {}

    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, false});
    }
    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, true});
    }
    QString GetText(int textId) const override
    {
        if (textProbe)
            textProbe(textId);
        return CBurnDlg::GetText(textId);
    }
    QStringList LogLines() const
    {
        const QString text = GetLogText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }

    BoxRecorder boxes;
    std::function<void(int)> textProbe;
};
