#include "burn/ChunkRing.h"

#include <algorithm>
#include <cstring>

namespace reclib {

ChunkRing::ChunkRing(size_t chunkBytes, size_t chunkCount, bool observed)
    : m_chunkBytes(chunkBytes), m_chunkCount(std::max<size_t>(chunkCount, 2)),
      m_memory(new unsigned char[m_chunkBytes * m_chunkCount]), m_chunks(new Chunk[m_chunkCount]),
      m_observed(observed)
{
}

unsigned char *ChunkRing::acquire()
{
    std::unique_lock lock(m_mutex);
    if (!m_closed && m_published - freed() == m_chunkCount) {
        m_producerWaiting = true;
        m_spaceFreed.wait(lock, [&] { return m_closed || m_published - freed() < m_chunkCount; });
        m_producerWaiting = false;
    }
    if (m_closed)
        return nullptr;
    return m_memory.get() + (m_published % m_chunkCount) * m_chunkBytes;
}

void ChunkRing::publish(size_t bytes)
{
    {
        const std::lock_guard lock(m_mutex);
        m_chunks[m_published % m_chunkCount].bytes = std::min(bytes, m_chunkBytes);
        ++m_published;
    }
    m_dataReady.notify_one();
    if (m_observed)
        m_observable.notify_one();
}

void ChunkRing::finish(bool failed)
{
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
        m_failed = failed;
    }
    m_dataReady.notify_one();
    m_observable.notify_one();
}

void ChunkRing::close()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_spaceFreed.notify_one();
    m_dataReady.notify_one();
    m_observable.notify_one();
}

void ChunkRing::wakeProducer()
{
    if (m_producerWaiting && m_chunkCount - (m_published - freed()) >= m_chunkCount / 2)
        m_spaceFreed.notify_one();
}

const unsigned char *ChunkRing::observe(size_t &bytes)
{
    std::unique_lock lock(m_mutex);
    m_observable.wait(lock, [&] { return m_closed || m_finished || m_published > m_seen; });
    if (m_closed || m_published == m_seen)
        return nullptr;
    bytes = m_chunks[m_seen % m_chunkCount].bytes;
    return m_memory.get() + (m_seen % m_chunkCount) * m_chunkBytes;
}

void ChunkRing::observed()
{
    const std::lock_guard lock(m_mutex);
    ++m_seen;
    wakeProducer();
}

bool ChunkRing::observedAll()
{
    const std::lock_guard lock(m_mutex);
    return !m_closed && m_finished && !m_failed && m_seen == m_published;
}

bool ChunkRing::nextChunk(std::unique_lock<std::mutex> &lock)
{
    if (m_holding) {
        ++m_released;
        m_holding = false;
        m_offset = 0;
        wakeProducer();
    }
    m_dataReady.wait(lock, [&] { return m_closed || m_finished || m_published > m_released; });
    if (m_closed || m_published == m_released)
        return false;
    m_holding = true;
    return true;
}

int64_t ChunkRing::take(unsigned char *buffer, size_t size)
{
    size_t copied = 0;
    while (copied < size) {
        if (!m_holding || m_offset == m_chunks[m_released % m_chunkCount].bytes) {
            std::unique_lock lock(m_mutex);
            if (!nextChunk(lock)) {
                if (m_closed || (copied == 0 && m_failed))
                    return -1;
                break;
            }
        }
        // The chunk being read is the consumer's alone until it is released.
        const Chunk &chunk = m_chunks[m_released % m_chunkCount];
        const size_t piece = std::min(size - copied, chunk.bytes - m_offset);
        std::memcpy(buffer + copied, m_memory.get() + (m_released % m_chunkCount) * m_chunkBytes + m_offset,
                    piece);
        m_offset += piece;
        copied += piece;
    }
    return static_cast<int64_t>(copied);
}

} // namespace reclib
