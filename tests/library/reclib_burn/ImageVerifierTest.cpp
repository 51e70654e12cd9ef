// Verify reads the written image back and compares it with the track: a
// read-back that ends early fails even where the missing sectors hold zeros
// (a short read must not compare the buffer's leftovers), and a whole one
// passes.
#include "burn/ImageVerifier.h"
#include "burn/TrackReader.h"
#include "image/IsoImageTrack.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

struct TrackDeleter
{
    void operator()(IsoTrack *track) const { track->vtbl->destroy(track, 1); }
};

// The image of a folder holding one file of zeros, whose data ends the image.
struct ZeroImage
{
    QTemporaryDir dir;
    IsoItem file{};
    std::unique_ptr<IsoTrack, TrackDeleter> track;
    std::string path;
    std::vector<unsigned char> bytes;

    ZeroImage()
    {
        const std::string source = dir.filePath("zeros.bin").toStdString();
        std::ofstream(source, std::ios::binary) << std::string(64 * 2048, '\0');
        std::strcpy(file.name, "ZEROS.BIN");
        std::strcpy(file.sourcePath, source.c_str());
        track.reset(CreateIsoImageTrack(&file, "ZEROS", ISO_TRACK_ISO9660));
        reclib::TrackReader reader(track.get());
        EXPECT_TRUE(reader.open());
        bytes.resize(static_cast<size_t>(reader.sizeInBlocks()) * 2048);
        EXPECT_EQ(reader.read(bytes.data(), static_cast<uint32_t>(reader.sizeInBlocks())),
                  reader.sizeInBlocks());
        path = dir.filePath("disc.iso").toStdString();
    }

    reclib::JobOutcome verifyFirst(size_t sectors)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char *>(bytes.data()),
                   static_cast<std::streamsize>(sectors * 2048));
        reclib::JobChannel channel;
        return reclib::verifyImage(track.get(), path, channel, [](int) {});
    }
};

TEST(ImageVerifier, AReadBackThatEndsEarlyFailsEvenOverZerosAndAWholeOnePasses)
{
    ZeroImage image;
    const size_t sectors = image.bytes.size() / 2048;
    ASSERT_GT(sectors, 16u);
    // The sectors left out below are zeros, as the buffer's unread part is.
    ASSERT_TRUE(std::all_of(image.bytes.end() - 16 * 2048, image.bytes.end(),
                            [](unsigned char b) { return b == 0; }));

    EXPECT_EQ(image.verifyFirst(sectors).status, reclib::JobOutcome::Status::Done);
    const reclib::JobOutcome cut = image.verifyFirst(sectors - 16);
    EXPECT_EQ(cut.status, reclib::JobOutcome::Status::Failed);
    EXPECT_NE(cut.reason.find("at sector " + std::to_string(sectors - 16)), std::string::npos) << cut.reason;
}

} // namespace
