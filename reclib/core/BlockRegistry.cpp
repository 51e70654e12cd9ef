#include "core/BlockRegistry.h"

#include <cstdlib>
#include <cstring>

namespace reclib {

void *BlockRegistry::allocate(size_t size)
{
    // calloc(0) may answer null; a caller asking for nothing still gets a
    // block it can release.
    void *block = std::calloc(size == 0 ? 1 : size, 1);
    if (block != nullptr) {
        const std::lock_guard lock(m_mutex);
        m_blocks.insert(block);
    }
    return block;
}

char *BlockRegistry::copyText(std::string_view text)
{
    char *block = static_cast<char *>(allocate(text.size() + 1));
    if (block != nullptr)
        std::memcpy(block, text.data(), text.size());
    return block;
}

bool BlockRegistry::release(void *block)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_blocks.erase(block) == 0)
            return false;
    }
    std::free(block);
    return true;
}

BlockRegistry::~BlockRegistry()
{
    // Blocks the program never released die with the library.
    for (void *block : m_blocks)
        std::free(block);
}

} // namespace reclib
