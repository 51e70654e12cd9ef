#include "DamagedSample.h"

#include "TestEnvironment.h"

#include <QString>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace dvdtest {

std::string CopySample(const std::string &sample)
{
    const QString target = testenv::makeTempDir(QString::fromStdString(sample)) + QStringLiteral("/copy");
    const QString from = QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/") + QString::fromStdString(sample);
    if (!testenv::copyFolder(from, target))
        throw std::runtime_error("cannot copy " + sample);
    return target.toStdString();
}

std::string VideoTs(const std::string &folder, const std::string &name)
{
    return folder + "/VIDEO_TS/" + name;
}

void Remove(const std::string &path)
{
    std::filesystem::remove(path);
}

void Resize(const std::string &path, uint64_t bytes)
{
    std::filesystem::resize_file(path, bytes);
}

void PutBe(const std::string &path, uint64_t offset, uint32_t value, int width)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(std::streamoff(offset));
    for (int i = width - 1; i >= 0; --i)
        file.put(char(value >> (8 * i)));
    if (!file)
        throw std::runtime_error("cannot patch " + path);
}

uint32_t GetBe(const std::string &path, uint64_t offset, int width)
{
    std::ifstream file(path, std::ios::binary);
    file.seekg(std::streamoff(offset));
    uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value = value << 8 | uint8_t(file.get());
    return value;
}

void PutBeBoth(const std::string &folder, const std::string &ifoName, uint64_t offset, uint32_t value,
               int width)
{
    PutBe(VideoTs(folder, ifoName), offset, value, width);
    PutBe(VideoTs(folder, ifoName.substr(0, ifoName.size() - 3) + "BUP"), offset, value, width);
}

uint64_t FirstCellPlayback(const std::string &ifoPath)
{
    const uint64_t pgcit = uint64_t(GetBe(ifoPath, 0xCC, 4)) * 2048;
    const uint64_t pgc = pgcit + GetBe(ifoPath, pgcit + 8 + 4, 4);
    return pgc + GetBe(ifoPath, pgc + 0xE8, 2);
}

} // namespace dvdtest

namespace dvdvideo {

void PrintTo(const Finding &finding, std::ostream *os)
{
    static const char *const severities[] = {"error", "warning", "note"};
    *os << severities[int(finding.severity)] << " kind " << int(finding.kind) << " '" << finding.name << "' '"
        << finding.name2 << "' " << finding.number << " " << finding.number2;
}

} // namespace dvdvideo
