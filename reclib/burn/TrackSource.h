#pragma once

#include "burn/ChunkRing.h"
#include "burn/Libburn.h"
#include "burn/TrackReader.h"
#include "recorders/VirtualRecorderSettings.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace reclib {

// The image as a libburn data source (struct burn_source, version 1). A
// thread of ours produces the image ahead of the drive into a ring of
// chunks, reading the track a chunk at a time; libburn's write thread takes
// from the ring, one sector per call. libburn's own fifo is not used: it
// reads its input in 32 KiB steps and hands over in 50 ms sleeps, which
// kept a file-backed write well below the disk's speed. With a digest, a
// third thread hashes each chunk in the ring beside libburn's copy of it,
// so the SHA-256 is of the very bytes written and costs no second read.
class TrackSource
{
public:
    // What libburn writes to: a real drive or a file (stdio: pseudo-drive).
    enum class Target { Drive, File };

    // fault: a FailAtSector fault makes the read fail when it reaches that
    // sector (counting from 0); one at or past the image's end never fires.
    TrackSource(TrackReader &reader, FaultInjection fault, Target target, bool digest);
    // Stops and joins the producing and hashing threads.
    ~TrackSource();
    TrackSource(const TrackSource &) = delete;
    TrackSource &operator=(const TrackSource &) = delete;

    // The source to attach to the track; stays valid while this object lives.
    burn::burn_source *source() const { return m_source; }

    // Sectors libburn took so far.
    int64_t sectorsRead() const { return m_sectorsRead.load(); }
    // Why the source failed, or empty.
    std::string failure() const;
    // The SHA-256 (hex) of every sector produced, once the producer reached
    // the image's end; waits for the hash to catch up. Empty without a
    // digest or when the image was not produced to its end.
    std::string sha256();

private:
    static int readCallback(burn::burn_source *source, unsigned char *buffer, int size);
    static off_t sizeCallback(burn::burn_source *source);
    static int setSizeCallback(burn::burn_source *source, off_t size);
    static void freeCallback(burn::burn_source *source);
    static int cancelCallback(burn::burn_source *source);
    int read(unsigned char *buffer, int size);
    void produce();
    void hash();
    void fail(std::string why);

    TrackReader &m_reader;
    FaultInjection m_fault;
    off_t m_fixedSize = 0;
    ChunkRing m_ring;
    // Written by libburn's thread only, once per sector: a plain store on a
    // line of its own, since a locked add on a line the producer also
    // writes cost more than the sector's copy.
    alignas(64) std::atomic<int64_t> m_sectorsRead{0};
    mutable std::mutex m_mutex;
    std::string m_failure;
    burn::burn_source *m_source = nullptr;
    std::thread m_producer;
    std::string m_sha256;
    std::thread m_hasher;
};

} // namespace reclib
