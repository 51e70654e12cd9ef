// A film too large for one layer, burned to a virtual DVD+R DL: the break
// the disc records is a cell start of the main title and a whole ECC block.
#include "ProgramRun.h"

#include <fstream>
#include <sstream>

namespace {

using namespace e2e;

const QByteArray BlankDvdPlusRDl = "[Test DL Writer]\nmedium = DVD+R DL blank\nfile = media/test-dvd.iso\n"
                                   "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";
constexpr int64_t kPartSectors = 524272; // VOB parts of 1073709056 bytes

struct Chunk
{
    int64_t oldFirst, oldLast, newFirst;
};

// samples/dvd-dual-layer's IFOs with sparse title VOB parts that hold the
// cells of samples/dvd-chapters where those IFOs put them (chunks.txt).
std::vector<Chunk> MakeBigFilm(const QString &folder)
{
    const std::string samples = ORVANE_TEST_SOURCE_DIR "/samples/";
    EXPECT_TRUE(testenv::copyFolder(QString::fromStdString(samples + "dvd-dual-layer/VIDEO_TS"),
                                    folder + u"/VIDEO_TS"_s));
    std::ifstream list(samples + "dvd-dual-layer/chunks.txt");
    std::vector<Chunk> chunks;
    int64_t vobSectors = 0;
    for (std::string line; std::getline(list, line);) {
        std::istringstream words(line);
        Chunk c{};
        if (line.starts_with('#'))
            continue;
        if (words >> c.oldFirst >> c.oldLast >> c.newFirst)
            chunks.push_back(c);
        else
            vobSectors = c.oldFirst;
    }
    const std::string vts = folder.toStdString() + "/VIDEO_TS/VTS_02_";
    for (int part = 0; part * kPartSectors < vobSectors; ++part) {
        QFile vob(QString::fromStdString(vts + std::to_string(part + 1) + ".VOB"));
        EXPECT_TRUE(vob.open(QIODevice::WriteOnly) &&
                    vob.resize(std::min(kPartSectors, vobSectors - part * kPartSectors) * 2048));
    }
    std::ifstream source(samples + "dvd-chapters/VIDEO_TS/VTS_02_1.VOB", std::ios::binary);
    for (const Chunk &c : chunks) {
        std::vector<char> data(size_t(c.oldLast - c.oldFirst + 1) * 2048);
        source.seekg(c.oldFirst * 2048);
        source.read(data.data(), std::streamsize(data.size()));
        std::fstream part(vts + std::to_string(c.newFirst / kPartSectors + 1) + ".VOB",
                          std::ios::in | std::ios::out | std::ios::binary);
        part.seekp((c.newFirst % kPartSectors) * 2048);
        part.write(data.data(), std::streamsize(data.size()));
        EXPECT_TRUE(part.good());
    }
    return chunks;
}

TEST_F(UnattendedRunTest, AFilmOverOneLayerBreaksAtACellStartOfTheMainTitle)
{
    UseRecorders(BlankDvdPlusRDl);
    const QString film = testenv::makeTempDir(u"big"_s) + u"/BIG_FILM"_s;
    const std::vector<Chunk> chunks = MakeBigFilm(film);
    const ProgramRun run = RunProgram({u"-d"_s, film});
    ASSERT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    EXPECT_GT(QFileInfo(Image()).size(), 4700372992) << "more than a single-layer DVD holds";
    ExpectGoodImage(Image());

    const QRegularExpression recorded(u"\nlayer-break = (\\d+)\n"_s);
    const auto match = recorded.match(ReadFile(Image() + u".state"_s));
    ASSERT_TRUE(match.hasMatch());
    const qint64 layerBreak = match.captured(1).toLongLong();
    EXPECT_EQ(layerBreak % 16, 0);
    EXPECT_TRUE(run.out.contains(u"Layer break at sector %1: title 2"_s.arg(layerBreak)))
        << run.out.toStdString();
    // The cells start where the IFO says, counted from the title VOB.
    const QRegularExpression vob(u"\\[ *(\\d+) 00\\]  VTS_02_1\\.VOB;1"_s);
    const auto extent = vob.match(Output(u"isoinfo"_s, {u"-l"_s, u"-i"_s, Image()}));
    ASSERT_TRUE(extent.hasMatch());
    QList<qint64> cellStarts;
    for (const Chunk &c : chunks)
        cellStarts << extent.captured(1).toLongLong() + c.newFirst;
    EXPECT_TRUE(cellStarts.contains(layerBreak)) << layerBreak;
    QFile::remove(Image());
    QDir(film).removeRecursively();
}

// With --any-layer-break the break inside the film's one cell is taken
// unasked (without it the run ends with status 7).
TEST_F(UnattendedRunTest, AnyLayerBreakBurnsWithTheBreakInsideAScene)
{
    UseRecorders(BlankDvdPlusRDl + "capacity = 4000\n");
    StretchTheOneCell(3000);
    const ProgramRun run = RunProgram({u"--any-layer-break"_s, u"-d"_s, m_source});
    ASSERT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(Text(1115)));
    EXPECT_TRUE(run.out.contains(u"a player will pause mid-scene"_s)) << run.out.toStdString();
    const auto match =
        QRegularExpression(u"\nlayer-break = (\\d+)\n"_s).match(ReadFile(Image() + u".state"_s));
    EXPECT_EQ(match.captured(1).toLongLong() % 16, 0);
    EXPECT_GT(match.captured(1).toLongLong(), 0);
}

} // namespace
