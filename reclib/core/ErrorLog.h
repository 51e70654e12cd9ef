#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace reclib {

// The failures NeroGetErrorLog reports, one line each, oldest first.
class ErrorLog
{
public:
    void add(std::string line);
    void clear();
    // The lines joined with '\n'; empty when there are none.
    std::string text() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

} // namespace reclib
