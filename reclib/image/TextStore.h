#pragma once
// Keeps many short texts (entry names, source folders) in large blocks
// instead of one heap allocation each: with a hundred thousand files the
// allocations' own overhead and the strings' fixed size cost more than the
// characters.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace image {

class TextStore
{
public:
    TextStore() = default;
    TextStore(const TextStore &) = delete;
    TextStore &operator=(const TextStore &) = delete;

    // A terminated copy of text that lives as long as the store.
    const char *keep(std::string_view text);

private:
    static constexpr size_t kBlockBytes = 64 * 1024;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_used = kBlockBytes; // in the last block
};

} // namespace image
