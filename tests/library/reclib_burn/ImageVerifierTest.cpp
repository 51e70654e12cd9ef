// Verify must not compare a short read-back's buffer leftovers.
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

TEST(ImageVerifier, AReadBackThatEndsEarlyFailsEvenOverZerosAndAWholeOnePasses)
{
    // The image of a folder holding one file of zeros, whose data ends the image.
    QTemporaryDir dir;
    const std::string source = dir.filePath("zeros.bin").toStdString();
    std::ofstream(source, std::ios::binary) << std::string(64 * 2048, '\0');
    IsoItem file{};
    std::strcpy(file.name, "ZEROS.BIN");
    std::strcpy(file.sourcePath, source.c_str());
    const std::unique_ptr<IsoTrack, void (*)(IsoTrack *)> track(
        CreateIsoImageTrack(&file, "ZEROS", ISO_TRACK_ISO9660), [](IsoTrack *t) { t->vtbl->destroy(t, 1); });
    reclib::TrackReader reader(track.get());
    ASSERT_TRUE(reader.open());
    const auto sectors = static_cast<size_t>(reader.sizeInBlocks());
    std::vector<unsigned char> bytes(sectors * 2048);
    ASSERT_EQ(reader.read(bytes.data(), static_cast<uint32_t>(sectors)), reader.sizeInBlocks());
    ASSERT_GT(sectors, 16u);
    // The sectors left out below are zeros, as the buffer's unread part is.
    ASSERT_TRUE(std::all_of(bytes.end() - 16 * 2048, bytes.end(), [](unsigned char b) { return b == 0; }));

    const std::string path = dir.filePath("disc.iso").toStdString();
    const auto verifyFirst = [&](size_t written) {
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char *>(bytes.data()),
                   static_cast<std::streamsize>(written * 2048));
        reclib::JobChannel channel;
        return reclib::verifyImage(track.get(), path, channel, [](int) {});
    };
    EXPECT_EQ(verifyFirst(sectors).status, reclib::JobOutcome::Status::Done);
    const reclib::JobOutcome cut = verifyFirst(sectors - 16);
    EXPECT_EQ(cut.status, reclib::JobOutcome::Status::Failed);
    EXPECT_NE(cut.reason.find("at sector " + std::to_string(sectors - 16)), std::string::npos) << cut.reason;
}

} // namespace
