#include "burn/TrackSource.h"

#include "sysio/Sha256.h"

#include <algorithm>
#include <cstdlib>

namespace reclib {
namespace {

// A drive gets 32 MiB read ahead, 512 KiB per read, as a reserve against
// sources that stall. For a file the page cache is that reserve; its ring
// is sized for the hand-over between the two threads: at 16 MiB the chunks
// libburn's thread copies from have left the producing core's own cache
// (2 MiB here) for the shared one, which it reads faster. Smaller rings
// (1 MiB) and larger ones (32 MiB) made a 3.5 GB burn a tenth slower.
struct RingShape
{
    size_t chunkSectors;
    size_t chunkCount;
};
constexpr RingShape DriveRing{256, 64};
constexpr RingShape FileRing{512, 16};

RingShape shapeFor(TrackSource::Target target)
{
    return target == TrackSource::Target::File ? FileRing : DriveRing;
}

} // namespace

TrackSource::TrackSource(TrackReader &reader, FaultInjection fault, Target target, bool digest)
    : m_reader(reader), m_fault(fault), m_fixedSize(static_cast<off_t>(reader.sizeInBlocks()) * SECTOR_SIZE),
      m_ring(shapeFor(target).chunkSectors * SECTOR_SIZE, shapeFor(target).chunkCount, digest)
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
    m_source->cancel = &TrackSource::cancelCallback;
    m_producer = std::thread([this] { produce(); });
    if (digest)
        m_hasher = std::thread([this] { hash(); });
}

TrackSource::~TrackSource()
{
    m_ring.close();
    m_producer.join();
    if (m_hasher.joinable())
        m_hasher.join();
    burn::burn_source_free(m_source);
}

void TrackSource::produce()
{
    int64_t position = 0;
    // Sectors count from 0, so a fault at or past the image's end names a
    // sector the write never reaches.
    const bool faultInImage =
        m_fault.kind == FaultInjection::Kind::FailAtSector && m_fault.sector < m_reader.sizeInBlocks();
    while (unsigned char *chunk = m_ring.acquire()) {
        int64_t blocks = static_cast<int64_t>(m_ring.chunkBytes() / SECTOR_SIZE);
        if (faultInImage) {
            if (position >= m_fault.sector) {
                fail("write error at sector " + std::to_string(m_fault.sector) + " (injected fault)");
                m_ring.finish(true);
                return;
            }
            blocks = std::min(blocks, m_fault.sector - position);
        }
        // A chunk holds what one read gives: the image track ends its reads
        // on aligned offsets of the source files, which a filled-up chunk
        // would undo for every chunk after it.
        const int64_t got = m_reader.readSome(chunk, static_cast<uint32_t>(blocks));
        if (got < 0) {
            fail(m_reader.failure());
            m_ring.finish(true);
            return;
        }
        if (got == 0) {
            m_ring.finish(false);
            return;
        }
        m_ring.publish(static_cast<size_t>(got) * SECTOR_SIZE);
        position += got;
    }
}

void TrackSource::hash()
{
    sysio::Sha256 sha;
    size_t bytes = 0;
    while (const unsigned char *chunk = m_ring.observe(bytes)) {
        sha.add(chunk, bytes);
        m_ring.observed();
    }
    if (m_ring.observedAll())
        m_sha256 = sha.hex();
}

std::string TrackSource::sha256()
{
    if (m_hasher.joinable())
        m_hasher.join();
    return m_sha256;
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

int TrackSource::cancelCallback(burn::burn_source *source)
{
    // libburn gave up on the track: let the producer stop early.
    if (source->data != nullptr)
        static_cast<TrackSource *>(source->data)->m_ring.close();
    return 1;
}

int TrackSource::read(unsigned char *buffer, int size)
{
    if (size <= 0 || size % SECTOR_SIZE != 0) {
        fail("libburn asked for " + std::to_string(size) + " bytes, not whole sectors");
        return -1;
    }
    const int64_t got = m_ring.take(buffer, static_cast<size_t>(size));
    if (got > 0)
        m_sectorsRead.store(m_sectorsRead.load(std::memory_order_relaxed) + got / SECTOR_SIZE,
                            std::memory_order_relaxed);
    return static_cast<int>(got);
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
