#include "core/ErrorLog.h"

namespace reclib {

namespace {
// A runaway caller must not grow the log without end.
constexpr size_t MaxLines = 200;
} // namespace

void ErrorLog::add(std::string line)
{
    const std::lock_guard lock(m_mutex);
    if (m_lines.size() < MaxLines)
        m_lines.push_back(std::move(line));
}

void ErrorLog::clear()
{
    const std::lock_guard lock(m_mutex);
    m_lines.clear();
}

std::string ErrorLog::text() const
{
    const std::lock_guard lock(m_mutex);
    std::string text;
    for (const std::string &line : m_lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace reclib
