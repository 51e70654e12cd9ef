// -i: an image file burned as it is. The image is what a burn of the sample
// wrote (the virtual disc's first sectors, the track the Image Recorder
// writes to a file; that recorder itself needs a person to name its file).
// It burns to a fresh disc and verifies; every image or command line that
// cannot be burned stops before the point of no return, the disc as it was.
#include "ProgramRun.h"

#include <QCryptographicHash>

#include <sys/stat.h>

namespace {

using namespace e2e;

const QRegularExpression
    ChecksumLine(u"SHA-256 of the image as written: ([0-9a-f]{64}) \\((\\d+) sectors\\)"_s);

class ImageRunTest : public UnattendedRunTest
{
protected:
    // The sample's image, made once by a burn and written to the test's home.
    QString MakeImage(const QByteArray &patchedFrom = {})
    {
        static QByteArray image;
        if (image.isEmpty()) {
            const ProgramRun run = RunProgram({u"-d"_s, m_source});
            const QRegularExpressionMatch line = ChecksumLine.match(run.out);
            EXPECT_TRUE(line.hasMatch()) << run.out.toStdString();
            QFile medium(Image());
            EXPECT_TRUE(medium.open(QIODevice::ReadOnly));
            image = medium.read(line.captured(2).toLongLong() * 2048);
            medium.remove();
            QFile::remove(Image() + u".state"_s);
        }
        m_image = m_home + u"/film.iso"_s;
        QFile file(m_image);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) &&
                    file.write(patchedFrom.isEmpty() ? image : patchedFrom) > 0);
        m_bytes = image;
        return m_image;
    }

    QString m_image;
    QByteArray m_bytes;
};

TEST_F(ImageRunTest, AnImageBurnsAsItIsVerifiesAndLogsTheFilesSha256)
{
    MakeImage();
    m_copy.WriteFile(u"Orvane.ini"_s, "BurnFlags: 440\n"); // verify
    const ProgramRun run = RunProgram({u"-l"_s, u"-i"_s, m_image});

    ASSERT_EQ(run.exitCode, runexit::Success) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(u"=> Verifying the written data"_s)) << run.out.toStdString();
    const QRegularExpressionMatch line = ChecksumLine.match(run.out);
    ASSERT_TRUE(line.hasMatch()) << run.out.toStdString();
    EXPECT_TRUE(RunLog().contains(line.captured(0))) << "the log file is named after the image's label";
    EXPECT_EQ(line.captured(1),
              QString::fromLatin1(QCryptographicHash::hash(m_bytes, QCryptographicHash::Sha256).toHex()));
    QFile medium(Image());
    ASSERT_TRUE(medium.open(QIODevice::ReadOnly));
    EXPECT_EQ(medium.read(m_bytes.size()), m_bytes) << "the disc holds the file";
    // --check -i prints the same checksum without a recorder.
    const ProgramRun check = RunProgram({u"--check"_s, u"-i"_s, m_image});
    EXPECT_EQ(check.exitCode, runexit::Success) << check.err.toStdString();
    EXPECT_TRUE(check.out.contains(line.captured(1))) << check.out.toStdString();
}

struct BadImage
{
    const char *name;
    runexit::Status status;
    const char *cause; // in the reason line; IMAGE stands for the file
};

const BadImage BadImages[] = {
    {"missing", runexit::CompilationFailed, "The image file \"IMAGE\" does not exist"},
    {"folder", runexit::CompilationFailed, "IMAGE is a folder, not a file"},
    {"FIFO", runexit::CompilationFailed, "IMAGE is a FIFO (named pipe), not a file"},
    {"not_an_image", runexit::CompilationFailed, "\"IMAGE\" is not a disc image"},
    {"truncated", runexit::CompilationFailed, "its file system takes 462 sectors, the file holds 400"},
    {"will_not_play", runexit::CompilationFailed,
     "Title set 2 is named in VIDEO_TS.IFO, but VTS_02_0.IFO is missing"},
    {"larger_than_the_disc", runexit::CompilationFailed,
     "The disc holds 0 MB, but the compilation needs 1 MB"},
    {"with_d", runexit::ParseError, "-i and -d cannot be used together"},
    {"to_the_Image_Recorder", runexit::ParseError, "not to the Image Recorder"},
};

void PrintTo(const BadImage &bad, std::ostream *out)
{
    *out << bad.name;
}

class BadImageTest : public ImageRunTest, public testing::WithParamInterface<BadImage>
{
};

TEST_P(BadImageTest, StopsBeforeThePointOfNoReturnWithItsReason)
{
    const std::string name = GetParam().name;
    QStringList arguments{u"-o"_s, u"-i"_s, MakeImage()};
    QByteArray recorders = UsedDvdPlusRw;
    if (name == "missing") {
        QFile::remove(m_image);
    } else if (name == "folder") {
        QFile::remove(m_image);
        QDir().mkpath(m_image);
    } else if (name == "FIFO") {
        QFile::remove(m_image);
        ASSERT_EQ(::mkfifo(qPrintable(m_image), 0644), 0);
    } else if (name == "not_an_image") {
        MakeImage(QByteArray(64 * 2048, '\0'));
    } else if (name == "truncated") {
        MakeImage(m_bytes.left(400 * 2048));
    } else if (name == "will_not_play") {
        // The video manager, and its backup, name a second title set.
        QByteArray patched = m_bytes;
        for (qsizetype at = 0; (at = patched.indexOf("DVDVIDEO-VMG", at)) >= 0; at += 2048)
            patched[at + 0x3F] = 2;
        MakeImage(patched);
    } else if (name == "larger_than_the_disc") {
        recorders += "capacity = 100\n";
    } else if (name == "with_d") {
        arguments << u"-d"_s << m_source;
    } else if (name == "to_the_Image_Recorder") {
        m_copy.WriteFile(u"Orvane.ini"_s, "Device: Image Recorder\n");
    }
    UseUsedDisc(recorders);
    const QByteArray medium = MediumSnapshot();
    const ProgramRun run = RunProgram(arguments);

    EXPECT_EQ(run.exitCode, GetParam().status) << run.err.toStdString();
    const QString last = Lines(run.err).value(Lines(run.err).size() - 1);
    EXPECT_TRUE(last.contains(QString::fromLatin1(GetParam().cause).replace(u"IMAGE"_s, m_image)))
        << last.toStdString();
    EXPECT_FALSE(run.out.contains(Text(799))) << "no erase began";
    EXPECT_EQ(MediumSnapshot(), medium) << "the used disc is as it was";
}

INSTANTIATE_TEST_SUITE_P(EachBadInput, BadImageTest, testing::ValuesIn(BadImages),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
