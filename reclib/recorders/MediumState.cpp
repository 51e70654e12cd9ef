#include "recorders/MediumState.h"

#include "reclib_api.h"
#include "recorders/KeyValueText.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace reclib {
namespace {

int64_t fileSectors(const std::string &path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return (static_cast<int64_t>(info.st_size) + SECTOR_SIZE - 1) / SECTOR_SIZE;
}

template <typename Number> bool readNumber(const std::string &text, Number &out)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

const char *yesNo(bool value)
{
    return value ? "yes" : "no";
}

// Counts beyond these are damage: no disc holds more sectors than a 32-bit
// count, nor more than 99 tracks.
constexpr int64_t MaxUsedSectors = INT32_MAX;
constexpr int32_t MaxContentCount = 99;

// The configuration's disc, unless the medium file holds data the state
// cannot account for: then that disc, used, its contents unknown.
MediumState withoutState(const VirtualRecorderSettings &spec, const std::string &mediumPath,
                         const std::string &why)
{
    MediumState state = MediumState::initial(spec, mediumPath);
    const int64_t sectors = fileSectors(mediumPath);
    if (!state.present() || !state.blank || sectors == 0)
        return state;
    state.blank = false;
    state.contentCount = 1;
    state.usedSectors = std::min(sectors, MaxUsedSectors);
    state.doubt = "The " + std::string(traitsOf(state.kind).name) + " in the file " + mediumPath +
                  " counts as used, its contents unknown: " + why;
    return state;
}

// The state file's text, or false with the reason it cannot be had. Only a
// regular file is opened: a FIFO there would block the reader.
bool readStateFile(const std::string &path, std::string &text, std::string &why)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0) {
        why =
            "its state file " + path +
            (errno == ENOENT ? " is missing" : " cannot be read (" + std::string(std::strerror(errno)) + ")");
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        why = "its state file " + path + " is not a file";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream stream;
    if (file)
        stream << file.rdbuf();
    if (!file || file.bad()) {
        why = "its state file " + path + " cannot be read (" + std::strerror(errno != 0 ? errno : EIO) + ")";
        return false;
    }
    text = stream.str();
    return true;
}

} // namespace

std::string MediumState::statePathFor(const std::string &mediumPath)
{
    return mediumPath + ".state";
}

MediumState MediumState::initial(const VirtualRecorderSettings &spec, const std::string &mediumPath)
{
    MediumState state;
    state.configured = spec.medium;
    state.kind = spec.medium;
    state.blank = !spec.written || spec.medium == MediumKind::None;
    if (!state.blank) {
        state.contentCount = 1;
        state.usedSectors = fileSectors(mediumPath);
    }
    return state;
}

MediumState MediumState::load(const VirtualRecorderSettings &spec, const std::string &mediumPath)
{
    std::string text;
    std::string why;
    if (!readStateFile(statePathFor(mediumPath), text, why))
        return withoutState(spec, mediumPath, why);
    return fromText(spec, text, mediumPath);
}

MediumState MediumState::fromText(const VirtualRecorderSettings &spec, std::string_view text,
                                  const std::string &mediumPath)
{
    const KeyValueText parsed = KeyValueText::parse(text);

    MediumState state;
    bool configuredSeen = false;
    bool valid = parsed.problems.empty();
    for (const KeyValueLine &line : parsed.lines) {
        if (line.key == "configured" || line.key == "medium") {
            const std::optional<MediumKind> kind = mediumKindFromName(line.value);
            valid = valid && kind.has_value();
            if (kind && line.key == "configured") {
                state.configured = *kind;
                configuredSeen = true;
            } else if (kind) {
                state.kind = *kind;
            }
        } else if (line.key == "blank") {
            state.blank = line.value == "yes";
        } else if (line.key == "content-count") {
            valid = valid && readNumber(line.value, state.contentCount) && state.contentCount >= 0 &&
                    state.contentCount <= MaxContentCount;
        } else if (line.key == "used-sectors") {
            valid = valid && readNumber(line.value, state.usedSectors) && state.usedSectors >= 0 &&
                    state.usedSectors <= MaxUsedSectors;
        } else if (line.key == "layer-break") {
            valid = valid && readNumber(line.value, state.layerBreak) && state.layerBreak >= 0 &&
                    state.layerBreak <= MaxUsedSectors;
        } else if (line.key == "book-type") {
            state.dvdRomBookType = line.value == "DVD-ROM";
        }
    }
    if (!valid || !configuredSeen)
        return withoutState(spec, mediumPath,
                            "its state file " + statePathFor(mediumPath) + " is damaged or out of range");
    if (state.configured != spec.medium)
        return initial(spec, mediumPath);
    return state;
}

std::string MediumState::text() const
{
    std::ostringstream file;
    file << "# State of the disc in a virtual recorder; the disc image is the file beside it.\n"
         << "configured = " << traitsOf(configured).name << '\n'
         << "medium = " << traitsOf(kind).name << '\n'
         << "blank = " << yesNo(blank) << '\n'
         << "content-count = " << contentCount << '\n'
         << "used-sectors = " << usedSectors << '\n'
         << "book-type = " << (dvdRomBookType ? "DVD-ROM" : "default") << '\n';
    if (traitsOf(kind).layer0LimitSectors > 0)
        file << "layer-break = " << layerBreak << '\n';
    return file.str();
}

} // namespace reclib
