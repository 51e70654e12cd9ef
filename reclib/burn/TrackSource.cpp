#include "burn/TrackSource.h"

#include <algorithm>
#include <cstdlib>

namespace reclib {
namespace {

// A 32 MiB fifo in 1 MiB chunks keeps the drive fed while the image builder
// opens the next source file. libburn's fifo hands over in sleep-paced
// steps: with 4 MiB a stdio write ran at a fifth of the disk's speed.
constexpr int FifoChunkSize = 512 * SECTOR_SIZE;
constexpr int FifoChunks = 32;

} // namespace

TrackSource::TrackSource(TrackReader &reader, FaultInjection fault)
    : m_reader(reader), m_fault(fault), m_fixedSize(static_cast<off_t>(reader.sizeInBlocks()) * SECTOR_SIZE)
{
    // libburn releases the struct itself with free() when its last
    // reference goes, so it comes from calloc.
    m_source = static_cast<burn::burn_source *>(std::calloc(1, sizeof(burn::burn_source)));
    m_source->refcount = 1;
    m_source->read = nullptr;
    m_source->get_size = &TrackSource::sizeCallback;
    m_source->set_size = &TrackSource::setSizeCallback;
    m_source->free_data = &TrackSource::freeCallback;
    m_source->data = this;
    m_source->version = 1;
    m_source->read_xt = &TrackSource::readCallback;
    // Bit 0: our read fills any whole number of sectors it is asked for.
    m_fifo = burn::burn_fifo_source_new(m_source, FifoChunkSize, FifoChunks, 1);
}

TrackSource::~TrackSource()
{
    if (m_fifo != nullptr)
        burn::burn_source_free(m_fifo);
    burn::burn_source_free(m_source);
}

int TrackSource::readCallback(burn::burn_source *source, unsigned char *buffer, int size)
{
    return static_cast<TrackSource *>(source->data)->read(buffer, size);
}

off_t TrackSource::sizeCallback(burn::burn_source *source)
{
    return static_cast<TrackSource *>(source->data)->m_fixedSize;
}

int TrackSource::setSizeCallback(burn::burn_source *source, off_t size)
{
    static_cast<TrackSource *>(source->data)->m_fixedSize = size;
    return 1;
}

void TrackSource::freeCallback(burn::burn_source *source)
{
    // data points to this object, which owns nothing libburn must free.
    source->data = nullptr;
}

int TrackSource::read(unsigned char *buffer, int size)
{
    if (size <= 0 || size % SECTOR_SIZE != 0) {
        fail("libburn asked for " + std::to_string(size) + " bytes, not whole sectors");
        return -1;
    }
    uint32_t blocks = static_cast<uint32_t>(size / SECTOR_SIZE);
    const int64_t position = m_sectorsRead.load();
    if (m_fault.kind == FaultInjection::Kind::FailAtSector) {
        if (position >= m_fault.sector) {
            fail("write error at sector " + std::to_string(m_fault.sector) + " (injected fault)");
            return -1;
        }
        blocks = static_cast<uint32_t>(std::min<int64_t>(blocks, m_fault.sector - position));
    }
    const int64_t got = m_reader.read(buffer, blocks);
    if (got < 0) {
        fail(m_reader.failure());
        return -1;
    }
    m_sectorsRead.store(position + got);
    return static_cast<int>(got * SECTOR_SIZE);
}

void TrackSource::fail(std::string why)
{
    const std::lock_guard lock(m_mutex);
    if (m_failure.empty())
        m_failure = std::move(why);
}

std::string TrackSource::failure() const
{
    const std::lock_guard lock(m_mutex);
    return m_failure;
}

} // namespace reclib
