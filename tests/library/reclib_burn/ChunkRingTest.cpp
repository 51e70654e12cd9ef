// The hand-over between the image producer and libburn's write thread. (A
// close that frees the producer is the library abort tests'.)
#include "burn/ChunkRing.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

using reclib::ChunkRing;

namespace {

unsigned char byteAt(size_t index)
{
    return static_cast<unsigned char>((index * 131 + index / 4096) & 0xff);
}

// Produces total bytes, each chunk filled with fill(n) bytes (n counts the
// chunks), then finishes.
void produce(ChunkRing &ring, size_t total, size_t (*fill)(size_t, size_t), bool failAtEnd)
{
    size_t written = 0;
    for (size_t n = 0; written < total; ++n) {
        unsigned char *chunk = ring.acquire();
        if (chunk == nullptr)
            return;
        const size_t bytes = std::min(total - written, fill(n, ring.chunkBytes()));
        for (size_t i = 0; i < bytes; ++i)
            chunk[i] = byteAt(written + i);
        ring.publish(bytes);
        written += bytes;
    }
    ring.finish(failAtEnd);
}

size_t fullChunks(size_t, size_t chunk)
{
    return chunk;
}
size_t unevenChunks(size_t n, size_t chunk)
{
    return n % 3 == 0 ? chunk : (n % 3 == 1 ? 1 : chunk / 2 + 7);
}

TEST(ChunkRing, EveryByteArrivesOnceAndInOrder)
{
    struct Case
    {
        const char *name;
        size_t chunkBytes, chunkCount, total, readSize;
        size_t (*fill)(size_t, size_t);
    };
    // A full ring wakes its producer only once half is free: the last two
    // cases refill odd and even rings with partly filled chunks.
    for (const Case &c : {Case{"sector reads of full chunks", 8192, 4, 1000 * 2048, 2048, fullChunks},
                          Case{"reads across chunk borders", 4096, 3, 100000, 5000, unevenChunks},
                          Case{"read larger than the ring", 1024, 2, 50000, 9000, fullChunks},
                          Case{"nothing at all", 2048, 4, 0, 2048, fullChunks},
                          Case{"refills of an even ring", 4096, 8, 500 * 4096, 2048, unevenChunks},
                          Case{"refills of an odd ring", 4096, 5, 500 * 4096, 3000, fullChunks}}) {
        for (const bool observed : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (observed ? ", observed" : ""));
            ChunkRing ring(c.chunkBytes, c.chunkCount, observed);
            std::thread producer(produce, std::ref(ring), c.total, c.fill, false);
            // The observer dawdles so that a chunk reused under it shows.
            std::vector<unsigned char> seen;
            bool sawAll = false;
            std::thread observer([&] {
                size_t bytes = 0;
                while (const unsigned char *chunk = observed ? ring.observe(bytes) : nullptr) {
                    std::this_thread::yield();
                    seen.insert(seen.end(), chunk, chunk + bytes);
                    ring.observed();
                }
                sawAll = observed && ring.observedAll();
            });
            std::vector<unsigned char> received, piece(c.readSize);
            int64_t n;
            while ((n = ring.take(piece.data(), piece.size())) > 0) {
                received.insert(received.end(), piece.begin(), piece.begin() + n);
                if (static_cast<size_t>(n) < piece.size())
                    break;
            }
            producer.join();
            observer.join();
            ASSERT_GE(n, 0);
            ASSERT_EQ(received.size(), c.total);
            for (size_t i = 0; i < received.size(); ++i)
                ASSERT_EQ(received[i], byteAt(i)) << "byte " << i;
            EXPECT_EQ(ring.take(piece.data(), piece.size()), 0); // the end stays the end
            if (observed) {
                EXPECT_TRUE(sawAll);
                EXPECT_TRUE(seen == received);
            }
        }
    }
}

TEST(ChunkRing, AFailureArrivesAfterTheDataBeforeIt)
{
    ChunkRing ring(2048, 4);
    std::thread producer(produce, std::ref(ring), size_t{3 * 2048 + 100}, fullChunks, true);
    std::vector<unsigned char> piece(2048);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ring.take(piece.data(), piece.size()), 2048);
    EXPECT_EQ(ring.take(piece.data(), piece.size()), 100); // what came before the failure
    EXPECT_EQ(ring.take(piece.data(), piece.size()), -1);
    producer.join();
}

TEST(ChunkRing, CloseReleasesAReaderWaitingForData)
{
    ChunkRing ring(1024, 2);
    auto reader = std::async(std::launch::async, [&] {
        std::vector<unsigned char> piece(2048);
        return ring.take(piece.data(), piece.size());
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(reader.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
    ring.close();
    ASSERT_EQ(reader.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(reader.get(), -1);
}

} // namespace
