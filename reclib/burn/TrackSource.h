#pragma once

#include "burn/Libburn.h"
#include "burn/TrackReader.h"
#include "recorders/VirtualRecorderSettings.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace reclib {

// The image as a libburn data source (struct burn_source, version 1),
// behind libburn's fifo so that the image is produced ahead of the drive.
// libburn reads it on its own thread; the reader is used only there while
// the write runs.
class TrackSource {
public:
    // fault: a FailAtSector fault makes the read fail when it gets there.
    TrackSource(TrackReader &reader, FaultInjection fault);
    ~TrackSource();
    TrackSource(const TrackSource &) = delete;
    TrackSource &operator=(const TrackSource &) = delete;

    // The fifo to attach to the track; stays valid while this object lives.
    burn::burn_source *fifo() const { return m_fifo; }

    int64_t sectorsRead() const { return m_sectorsRead.load(); }
    // Why the source failed, or empty.
    std::string failure() const;

private:
    static int readCallback(burn::burn_source *source, unsigned char *buffer, int size);
    static off_t sizeCallback(burn::burn_source *source);
    static int setSizeCallback(burn::burn_source *source, off_t size);
    static void freeCallback(burn::burn_source *source);
    int read(unsigned char *buffer, int size);
    void fail(std::string why);

    TrackReader &m_reader;
    FaultInjection m_fault;
    off_t m_fixedSize = 0;
    std::atomic<int64_t> m_sectorsRead{0};
    mutable std::mutex m_mutex;
    std::string m_failure;
    burn::burn_source *m_source = nullptr;
    burn::burn_source *m_fifo = nullptr;
};

} // namespace reclib
