#include "image/TextStore.h"

#include <algorithm>
#include <cstring>

namespace image {

const char *TextStore::keep(std::string_view text)
{
    const size_t bytes = text.size() + 1;
    if (m_used + bytes > kBlockBytes) {
        // A text larger than a block gets a block of its own; the next one
        // starts a fresh block.
        m_blocks.push_back(std::make_unique<char[]>(std::max(bytes, kBlockBytes)));
        m_used = 0;
    }
    char *at = m_blocks.back().get() + m_used;
    m_used = bytes > kBlockBytes ? kBlockBytes : m_used + bytes;
    std::memcpy(at, text.data(), text.size());
    at[text.size()] = '\0';
    return at;
}

} // namespace image
