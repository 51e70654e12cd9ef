#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

namespace reclib {

// A bounded hand-over of bytes from one producer thread to one consumer
// thread in fixed-size chunks. The producer fills whole chunks in place and
// publishes them; the consumer copies out pieces of any size. Only the
// hand-over of a chunk takes the lock, so small reads (libburn asks for one
// sector at a time) cost a memcpy and no more. Waits block on condition
// variables: neither side sleeps in steps. A producer that found the ring
// full is woken once half of it is free again, not for every chunk taken:
// each wake-up of a thread on another processor is an interrupt there.
//
// An optional observer (a third thread) sees every published chunk in
// place, beside the consumer; a chunk is reused only once both are done
// with it, so the observer reads the very bytes the consumer takes.
class ChunkRing
{
public:
    ChunkRing(size_t chunkBytes, size_t chunkCount, bool observed = false);
    ChunkRing(const ChunkRing &) = delete;
    ChunkRing &operator=(const ChunkRing &) = delete;

    size_t chunkBytes() const { return m_chunkBytes; }

    // Producer: the next chunk to fill; waits while all are full. Null once
    // the ring is closed.
    unsigned char *acquire();
    // Producer: hands over the chunk from acquire() holding bytes bytes.
    void publish(size_t bytes);
    // Producer: no more data will come; failed marks the end as a failure.
    void finish(bool failed);

    // Consumer: copies up to size bytes, waiting while the ring is empty.
    // Returns the bytes copied; fewer than size only at the end (0 once
    // everything was taken), -1 when the producer failed and nothing is left
    // before that point, or when the ring was closed.
    int64_t take(unsigned char *buffer, size_t size);

    // Observer: the next published chunk and its size, waiting while none
    // is ready; null at the end (see ended()) or once the ring is closed.
    // Call observed() when done with it.
    const unsigned char *observe(size_t &bytes);
    void observed();
    // Observer, after observe() gave null: true when the producer finished
    // without a failure and the ring was not closed, so every byte was seen.
    bool observedAll();

    // Either side: stops the hand-over; waiting calls return at once.
    void close();

private:
    struct Chunk
    {
        size_t bytes = 0;
    };
    // Consumer side: moves to the next published chunk; false at the end.
    bool nextChunk(std::unique_lock<std::mutex> &lock);
    // Chunks neither reader holds any more; the producer may reuse them.
    size_t freed() const { return m_observed ? std::min(m_released, m_seen) : m_released; }
    void wakeProducer();

    const size_t m_chunkBytes;
    const size_t m_chunkCount;
    std::unique_ptr<unsigned char[]> m_memory;
    std::unique_ptr<Chunk[]> m_chunks;

    std::mutex m_mutex;
    std::condition_variable m_spaceFreed; // the producer waits on this
    std::condition_variable m_dataReady;  // the consumer waits on this
    bool m_producerWaiting = false;
    size_t m_published = 0; // chunks handed over so far
    size_t m_released = 0;  // chunks the consumer is done with
    const bool m_observed;
    size_t m_seen = 0;                    // chunks the observer is done with
    std::condition_variable m_observable; // the observer waits on this
    bool m_finished = false;
    bool m_failed = false;
    bool m_closed = false;

    // Consumer's own position; touched by the consumer thread only, and
    // kept off the lines the producer writes.
    alignas(64) bool m_holding = false; // the chunk m_released is being read
    size_t m_offset = 0;
};

} // namespace reclib
