#include "jobs/label/BackgroundDvdCheck.h"

#include <QThread>

BackgroundDvdCheck::BackgroundDvdCheck(jobs::TextLookup text, Deliver deliver)
    : m_text(std::move(text)), m_deliver(std::move(deliver))
{
}

BackgroundDvdCheck::~BackgroundDvdCheck()
{
    if (m_thread != nullptr) {
        m_thread->wait();
        delete m_thread;
    }
}

void BackgroundDvdCheck::Start(const QString &sourceDir, const jobs::PreflightSettings &settings)
{
    if (sourceDir.isEmpty())
        return;
    if (m_thread != nullptr) {
        m_pending = Request{sourceDir, settings};
        return;
    }
    Launch({sourceDir, settings});
}

void BackgroundDvdCheck::Launch(const Request &request)
{
    auto outcome = std::make_shared<jobs::PreflightOutcome>();
    m_outcome = outcome;
    m_runningDir = request.sourceDir;
    m_thread = QThread::create(
        [outcome, request] { *outcome = jobs::RunDvdVideoPreflight(request.sourceDir, request.settings); });
    // Queued to this object's thread: the lines are made and delivered there.
    connect(m_thread, &QThread::finished, this, &BackgroundDvdCheck::Finished, Qt::QueuedConnection);
    m_thread->start();
}

void BackgroundDvdCheck::Finished()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    if (m_outcome->isDvdVideo)
        m_deliver(jobs::PreflightLines(m_runningDir, m_outcome->findings, m_text));
    if (m_pending) {
        const Request next = *m_pending;
        m_pending.reset();
        Launch(next);
    }
}
