#include "jobs/erase/JobDoneSignal.h"

#include "platform/GuiThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

void JobDoneSignal::Reset()
{
    std::lock_guard lock(m_mutex);
    m_done = false;
    m_result = 0;
}

void JobDoneSignal::Set(int result)
{
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
        m_result = result;
    }
    m_changed.notify_all();
}

bool JobDoneSignal::IsSet() const
{
    std::lock_guard lock(m_mutex);
    return m_done;
}

int JobDoneSignal::Wait()
{
    if (QCoreApplication::instance() != nullptr && IsGuiThread()) {
        // The worker marshals its window operations to this thread, so this
        // thread must go on handling events while it waits.
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
            if (IsSet())
                loop.quit();
        });
        poll.start(20);
        if (!IsSet())
            loop.exec();
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_done; });
    return m_result;
}
