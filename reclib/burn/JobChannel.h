#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace reclib {

// What a worker thread hands to the thread that called into the library:
// the percent done, log lines and phase texts to deliver through the
// callbacks there, and the caller's cancel request in the other direction.
class JobChannel
{
public:
    enum class Kind { Log, Phase };
    struct Message
    {
        Kind kind = Kind::Log;
        int textType = 0;
        std::string text;
    };

    void log(int textType, std::string text);
    void phase(std::string text);
    std::vector<Message> takeMessages();

    void setPercent(int percent) { m_percent.store(percent); }
    int percent() const { return m_percent.load(); }

    void requestCancel() { m_cancel.store(true); }
    bool cancelRequested() const { return m_cancel.load(); }

private:
    std::mutex m_mutex;
    std::vector<Message> m_messages;
    std::atomic<int> m_percent{0};
    std::atomic<bool> m_cancel{false};
};

} // namespace reclib
