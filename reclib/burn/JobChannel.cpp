#include "burn/JobChannel.h"

#include <utility>

namespace reclib {

void JobChannel::log(int textType, std::string text)
{
    const std::lock_guard lock(m_mutex);
    m_messages.push_back({Kind::Log, textType, std::move(text)});
}

void JobChannel::phase(std::string text)
{
    const std::lock_guard lock(m_mutex);
    m_messages.push_back({Kind::Phase, 0, std::move(text)});
}

std::vector<JobChannel::Message> JobChannel::takeMessages()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_messages, {});
}

} // namespace reclib
