#pragma once

#include "jobs/burn/DvdVideoPreflight.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QThread;

// Runs the DVD-Video check of a chosen folder on a thread of its own, so the
// window stays responsive, and hands the log lines back on the thread that
// owns this object (the GUI thread). A folder chosen while a check runs is
// checked after it; only the latest such choice is kept.
//
// The worker touches nothing but the folder's files; texts are looked up
// when the result arrives, on the owner's thread.
class BackgroundDvdCheck : public QObject
{
    Q_OBJECT
public:
    using Deliver = std::function<void(const QStringList &lines)>;

    BackgroundDvdCheck(jobs::TextLookup text, Deliver deliver);
    // Waits for a running check (each is bounded in time); a pending one is
    // dropped.
    ~BackgroundDvdCheck() override;

    // Nothing is reported for a folder without VIDEO_TS.
    void Start(const QString &sourceDir, const jobs::PreflightSettings &settings);
    bool Running() const { return m_thread != nullptr; }

private:
    struct Request
    {
        QString sourceDir;
        jobs::PreflightSettings settings;
    };
    void Launch(const Request &request);
    void Finished();

    jobs::TextLookup m_text;
    Deliver m_deliver;
    QThread *m_thread = nullptr;
    std::shared_ptr<jobs::PreflightOutcome> m_outcome;
    QString m_runningDir;
    std::optional<Request> m_pending;
};
