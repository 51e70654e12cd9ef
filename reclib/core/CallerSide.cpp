#include "core/CallerSide.h"

namespace reclib {

int CallerSide::userDialog(int type, void *data) const
{
    if (m_settings.userDialogCallback == nullptr)
        return 0;
    return m_settings.userDialogCallback(m_settings.userDialogContext, type, data);
}

void CallerSide::log(int textType, const std::string &text) const
{
    if (textType != LOG_TEXT_INFO)
        m_errors.add(text);
    if (m_progress != nullptr && m_progress->logLineCallback != nullptr)
        m_progress->logLineCallback(m_progress->context, textType, text.c_str());
}

void CallerSide::phase(const std::string &text) const
{
    if (m_progress != nullptr && m_progress->phaseCallback != nullptr)
        m_progress->phaseCallback(m_progress->context, text.c_str());
}

void CallerSide::deliver(JobChannel &channel) const
{
    for (const JobChannel::Message &message : channel.takeMessages()) {
        if (message.kind == JobChannel::Kind::Phase)
            phase(message.text);
        else
            log(message.textType, message.text);
    }
}

bool CallerSide::pollIdle(JobChannel &channel) const
{
    deliver(channel);
    if (m_settings.idleCallback != nullptr)
        return m_settings.idleCallback(m_settings.idleContext) != 0;
    return false;
}

bool CallerSide::poll(JobChannel &channel) const
{
    bool stop = pollIdle(channel);
    if (m_progress != nullptr && m_progress->progressCallback != nullptr)
        stop = m_progress->progressCallback(m_progress->context, channel.percent()) != 0 || stop;
    if (m_progress != nullptr && m_progress->abortCallback != nullptr)
        stop = m_progress->abortCallback(m_progress->context) != 0 || stop;
    return stop;
}

} // namespace reclib
