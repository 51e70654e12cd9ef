#pragma once

#include <cstddef>
#include <mutex>
#include <string_view>
#include <unordered_set>

namespace reclib {

// Every block the library hands to the program comes from here, so that
// NeroFreeMem can tell its own blocks from anything else it is given.
class BlockRegistry
{
public:
    // Zero-filled; null when memory runs out.
    void *allocate(size_t size);
    // A NUL-terminated copy of text.
    char *copyText(std::string_view text);
    // False (and nothing freed) for a pointer this registry did not hand out.
    bool release(void *block);

    ~BlockRegistry();

private:
    mutable std::mutex m_mutex;
    std::unordered_set<void *> m_blocks;
};

} // namespace reclib
