#pragma once

#include "jobs/IJobWindow.h"
#include "platform/MessageBoxType.h"

#include <QStringList>
#include <map>
#include <vector>

// A job window that records what a job showed. Texts are "<id>" unless a
// test gives one.
class RecordingJobWindow : public IJobWindow
{
public:
    struct Box
    {
        QString text;
        QString caption;
        unsigned type;
    };

    void AppendLog(const QString &line) override { log << line; }
    void AppendLogText(int textId) override { log << GetText(textId); }
    QString GetText(int textId) const override
    {
        const auto found = texts.find(textId);
        return found != texts.end() ? found->second : QStringLiteral("<%1>").arg(textId);
    }
    void SetStatusText(const QString &text) override { status << text; }
    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        boxes.push_back({text, caption, type});
        return mb::IdOk;
    }

    std::map<int, QString> texts;
    QStringList log;
    QStringList status;
    std::vector<Box> boxes;
};
