#include "recorders/VirtualRecorderConfig.h"

#include "reclib_api.h"
#include "recorders/KeyValueText.h"
#include "recorders/SpeedMapping.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unordered_set>

namespace reclib {
namespace {

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> result;
    std::istringstream stream{std::string(text)};
    std::string word;
    while (stream >> word)
        result.push_back(word);
    return result;
}

template <typename Number> std::optional<Number> number(std::string_view text)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The largest number a speed may give, as a multiple or in kB/s: far beyond
// any drive, and small enough that its libburn rate fits an int.
constexpr double MaxSpeedWord = 1e6;

// A paced erase waits the scaled time a disc would take: ten times that of
// a real drive is long enough for any test, and keeps every estimate far
// below the day the estimate is capped at.
constexpr double MaxEraseTimeScale = 10.0;

// The largest disc and sector number: 16 GiB, twice a dual-layer DVD, and
// far below what the disc information's 32-bit sector counts hold.
constexpr int64_t MaxSectors = int64_t{8} * 1024 * 1024;

// Collects one section's values, then checks them as a whole.
class SectionReader
{
public:
    SectionReader(std::string name, int lineNumber) : m_lineNumber(lineNumber)
    {
        m_spec.name = std::move(name);
    }

    void read(const KeyValueLine &line, std::vector<std::string> &problems)
    {
        const auto problem = [&](const std::string &what) {
            problems.push_back("line " + std::to_string(line.lineNumber) + ": " + what);
        };
        if (line.key == "medium")
            readMedium(line.value, line.lineNumber, problem);
        else if (line.key == "file")
            m_spec.mediumFile = line.value;
        else if (line.key == "writes")
            readWrites(line.value, problem);
        else if (line.key == "speeds")
            m_speedWords = words(line.value);
        else if (line.key == "pacing")
            readPacing(line.value, problem);
        else if (line.key == "erase-time-scale")
            readScale(line.value, problem);
        else if (line.key == "fault")
            readFault(line.value, problem);
        else if (line.key == "capacity")
            readCapacity(line.value, problem);
        else if (line.key == "checksum" && (line.value == "on" || line.value == "off"))
            m_spec.checksum = line.value == "on";
        else if (line.key == "checksum")
            problem("checksum must be \"on\" or \"off\"");
        else if (line.key == "changer" && !line.value.empty())
            m_spec.changerFolder = line.value;
        else if (line.key == "changer")
            problem("changer must name a folder");
        else
            problem("unknown key \"" + line.key + "\"");
    }

    // The finished recorder, or nothing when it cannot be used.
    std::optional<VirtualRecorderSettings> finish(std::vector<std::string> &problems)
    {
        const auto problem = [&](const std::string &what) {
            problems.push_back("line " + std::to_string(m_lineNumber) + ": recorder \"" + m_spec.name +
                               "\": " + what);
        };
        if (m_spec.name.empty() || m_spec.name.size() >= DEVICE_NAME_SIZE) {
            problem("the name must have 1 to 63 characters");
            return std::nullopt;
        }
        if (m_spec.mediumFile.empty()) {
            problem("no medium file (key \"file\")");
            return std::nullopt;
        }
        if (m_spec.mediaSet == 0)
            m_spec.mediaSet =
                m_spec.medium == MediumKind::None ? MEDIA_SET_DVD : traitsOf(m_spec.medium).family;
        if (m_spec.medium != MediumKind::None && (traitsOf(m_spec.medium).family & m_spec.mediaSet) == 0)
            problem("it does not write the medium it holds");
        readSpeeds(problem);
        return m_spec;
    }

private:
    template <typename Report>
    void readMedium(const std::string &value, int lineNumber, const Report &problem)
    {
        const std::vector<std::string> parts = words(value);
        if (parts.size() == 1 && parts[0] == "none") {
            m_spec.medium = MediumKind::None;
            return;
        }
        // The kind may be two words ("DVD+R DL"); the state is the last word.
        std::string kindName;
        for (size_t i = 0; i + 1 < parts.size(); ++i)
            kindName += (i ? " " : "") + parts[i];
        const MediumKind kind = parts.size() < 2 || parts.size() > 3
                                    ? MediumKind::None
                                    : mediumKindFromName(kindName).value_or(MediumKind::None);
        const bool stateOk = parts.size() >= 2 && (parts.back() == "blank" || parts.back() == "written");
        if (kind == MediumKind::None || !stateOk) {
            const std::string what =
                "medium \"" + value +
                "\" must be \"none\" or a disc kind followed by \"blank\" or \"written\"";
            problem(what);
            // The recorder stays listed; choosing it says why it has no disc.
            m_spec.mediumProblem = "line " + std::to_string(lineNumber) + ": " + what;
            return;
        }
        m_spec.mediumProblem.clear();
        m_spec.medium = kind;
        m_spec.written = parts.back() == "written";
    }

    template <typename Report> void readWrites(const std::string &value, const Report &problem)
    {
        for (const std::string &word : words(value)) {
            if (word == "DVD")
                m_spec.mediaSet |= MEDIA_SET_DVD;
            else if (word == "DVD-R")
                m_spec.mediaSet |= MEDIA_DVD_MINUS;
            else if (word == "DVD+R")
                m_spec.mediaSet |= MEDIA_DVD_PLUS;
            else if (word == "CD")
                m_spec.mediaSet |= MEDIA_CD;
            else
                problem("writes: unknown family \"" + word + "\" (DVD, DVD-R, DVD+R, CD)");
        }
    }

    template <typename Report> void readPacing(const std::string &value, const Report &problem)
    {
        if (value == "paced")
            m_spec.paced = true;
        else if (value == "full-speed")
            m_spec.paced = false;
        else
            problem("pacing must be \"paced\" or \"full-speed\"");
    }

    template <typename Report> void readScale(const std::string &value, const Report &problem)
    {
        const std::optional<double> scale = number<double>(value);
        // from_chars reads "nan" and "inf" as well; neither gives a time.
        if (!scale || !std::isfinite(*scale) || *scale < 0 || *scale > MaxEraseTimeScale)
            problem("erase-time-scale \"" + value + "\" must be a number from 0 to 10; 1 is used");
        else
            m_spec.eraseTimeScale = *scale;
    }

    template <typename Report> void readFault(const std::string &value, const Report &problem)
    {
        const std::vector<std::string> parts = words(value);
        if (parts.size() == 1 && (parts[0] == "none" || parts[0] == "state-write-fails")) {
            m_spec.fault = {};
            if (parts[0] == "state-write-fails")
                m_spec.fault.kind = FaultInjection::Kind::StateWriteFails;
            return;
        }
        std::optional<int64_t> sector = parts.size() == 2 ? number<int64_t>(parts[1]) : std::nullopt;
        if (sector && (*sector < 0 || *sector >= MaxSectors) && parts[0] != "kill-at-commit-step")
            sector.reset();
        if (sector && parts[0] == "corrupt-sector")
            m_spec.fault = {FaultInjection::Kind::CorruptSector, *sector};
        else if (sector && parts[0] == "fail-at-sector")
            m_spec.fault = {FaultInjection::Kind::FailAtSector, *sector};
        else if (sector && *sector >= 1 && *sector <= 5 && parts[0] == "kill-at-commit-step")
            m_spec.fault = {FaultInjection::Kind::KillAtCommitStep, 0, static_cast<int>(*sector)};
        else
            problem("fault \"" + value +
                    "\" must be \"none\", \"corrupt-sector N\", \"fail-at-sector N\" (N from 0 to " +
                    std::to_string(MaxSectors - 1) +
                    "), \"kill-at-commit-step 1-5\" or \"state-write-fails\"; " + "none is used");
    }

    template <typename Report> void readCapacity(const std::string &value, const Report &problem)
    {
        const std::optional<int64_t> sectors = number<int64_t>(value);
        if (!sectors || *sectors <= 0 || *sectors > MaxSectors)
            problem("capacity \"" + value + "\" must be a number of sectors from 1 to " +
                    std::to_string(MaxSectors) + "; the medium's own size is used");
        else
            m_spec.capacitySectors = *sectors;
    }

    template <typename Report> void readSpeeds(const Report &problem)
    {
        const SpeedFamily family = (m_spec.mediaSet & MEDIA_SET_DVD) != 0 &&
                                           !(m_spec.medium != MediumKind::None && !isDvd(m_spec.medium))
                                       ? SpeedFamily::Dvd
                                       : SpeedFamily::Cd;
        for (const std::string &word : m_speedWords) {
            const bool isMultiple = !word.empty() && (word.back() == 'x' || word.back() == 'X');
            const std::optional<double> value = number<double>(
                isMultiple ? std::string_view(word).substr(0, word.size() - 1) : std::string_view(word));
            // The bound keeps the conversion to whole libburn units defined;
            // a speed that comes out as 0 would mean "as fast as possible".
            const int speed = !value || !(*value > 0) || *value > MaxSpeedWord ? 0
                              : isMultiple ? libburnFromMultiple(*value, family)
                                           : libburnFromSpeedBlockKBs(static_cast<int32_t>(*value), family);
            if (speed <= 0) {
                problem("speeds: \"" + word + "\" is neither \"<n>x\" nor a rate in kB/s (at most 1000000)");
                continue;
            }
            m_spec.speeds.push_back(speed);
        }
        std::sort(m_spec.speeds.begin(), m_spec.speeds.end());
        m_spec.speeds.erase(std::unique(m_spec.speeds.begin(), m_spec.speeds.end()), m_spec.speeds.end());
    }

    int m_lineNumber = 0;
    VirtualRecorderSettings m_spec;
    std::vector<std::string> m_speedWords;
};

} // namespace

VirtualRecorderConfig VirtualRecorderConfig::parse(std::string_view text)
{
    const KeyValueText parsed = KeyValueText::parse(text);
    VirtualRecorderConfig config;
    config.problems = parsed.problems;
    // One reader per section, each line handed to its own: a single pass,
    // whatever the number of sections. A name seen before gets no reader, so
    // the first section of a name is the recorder and later ones change
    // nothing about it.
    std::vector<std::optional<SectionReader>> readers;
    readers.reserve(parsed.sections.size());
    std::unordered_set<std::string> names;
    for (const KeyValueSection &section : parsed.sections) {
        if (names.insert(section.name).second) {
            readers.emplace_back(SectionReader(section.name, section.lineNumber));
        } else {
            readers.emplace_back(std::nullopt);
            config.problems.push_back("line " + std::to_string(section.lineNumber) + ": recorder \"" +
                                      section.name + "\" is listed again; this section is ignored");
        }
    }
    for (const KeyValueLine &line : parsed.lines) {
        if (line.sectionIndex < 0)
            config.problems.push_back("line " + std::to_string(line.lineNumber) +
                                      ": setting outside a [recorder] section");
        else if (std::optional<SectionReader> &reader = readers[static_cast<size_t>(line.sectionIndex)])
            reader->read(line, config.problems);
    }
    for (std::optional<SectionReader> &reader : readers) {
        if (!reader)
            continue;
        if (std::optional<VirtualRecorderSettings> spec = reader->finish(config.problems))
            config.recorders.push_back(std::move(*spec));
    }
    return config;
}

VirtualRecorderConfig VirtualRecorderConfig::load(const std::string &path)
{
    // Only a regular file of a sane size is read: a FIFO would block the
    // reader, a huge file is no configuration.
    constexpr off_t MaxBytes = 1024 * 1024;
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
        return {};
    if (!S_ISREG(info.st_mode) || info.st_size > MaxBytes) {
        VirtualRecorderConfig unusable;
        unusable.problems.push_back(path + ": not a file of at most 1 MiB; no virtual recorders are listed");
        return unusable;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    std::ostringstream text;
    text << file.rdbuf();
    VirtualRecorderConfig config = parse(text.str());
    for (std::string &problem : config.problems)
        problem = path + ": " + problem;
    for (VirtualRecorderSettings &recorder : config.recorders) {
        if (!recorder.mediumProblem.empty())
            recorder.mediumProblem = path + ": " + recorder.mediumProblem;
    }
    return config;
}

} // namespace reclib
