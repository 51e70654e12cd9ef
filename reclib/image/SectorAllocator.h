#pragma once
// Hands out consecutive sector ranges while the layout is computed.

#include <cstdint>
#include <stdexcept>

namespace image {

// Thrown when a layout would not fit the 32-bit sector numbers of the file
// systems; the builder turns it into the track's layout error.
class LayoutOverflow : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class SectorAllocator
{
public:
    explicit SectorAllocator(uint32_t first) : m_next(first) {}

    uint32_t next() const { return uint32_t(m_next); }

    uint32_t reserve(uint64_t sectors)
    {
        const uint64_t start = m_next;
        m_next += sectors;
        if (m_next >= kLimit)
            throw LayoutOverflow("the image would exceed the largest size the file systems can address");
        return uint32_t(start);
    }

    // Moves on to sector (never backwards).
    void skipTo(uint64_t sector)
    {
        if (sector > m_next)
            reserve(sector - m_next);
    }

private:
    static constexpr uint64_t kLimit = 0xFFFFFFF0ull;
    uint64_t m_next;
};

} // namespace image
