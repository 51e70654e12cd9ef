#pragma once

#include "BoxRecorder.h"
#include "jobs/ports/IJobWindow.h"

#include <QStringList>

#include <map>
#include <mutex>

// The log, status line and window box a job reported to. Texts are "<id>"
// unless a test gives one. Jobs may report from their threads; read log and
// status once the job has ended.
class RecordingJobWindow : public IJobWindow
{
public:
    void AppendLog(const QString &line) override
    {
        std::lock_guard lock(m_mutex);
        log << line;
    }
    void AppendLogText(int textId) override { AppendLog(GetText(textId)); }
    QString GetText(int textId) const override
    {
        const auto found = texts.find(textId);
        return found != texts.end() ? found->second : QStringLiteral("<%1>").arg(textId);
    }
    void SetStatusText(const QString &text) override
    {
        std::lock_guard lock(m_mutex);
        status << text;
    }
    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return boxes.Show({text, caption, type, false});
    }

    std::map<int, QString> texts; // set before the job runs
    BoxRecorder boxes;
    QStringList log;
    QStringList status;

private:
    std::mutex m_mutex;
};
