#include "recorders/MediumState.h"

#include "reclib_api.h"
#include "recorders/KeyValueText.h"

#include <cerrno>
#include <charconv>
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
    if (::stat(path.c_str(), &info) != 0)
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
    std::ifstream file(statePathFor(mediumPath), std::ios::binary);
    if (!file)
        return initial(spec, mediumPath);
    std::ostringstream text;
    text << file.rdbuf();
    return fromText(spec, text.str(), mediumPath);
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
            valid = valid && readNumber(line.value, state.contentCount) && state.contentCount >= 0;
        } else if (line.key == "used-sectors") {
            valid = valid && readNumber(line.value, state.usedSectors) && state.usedSectors >= 0;
        } else if (line.key == "layer-break") {
            valid = valid && readNumber(line.value, state.layerBreak) && state.layerBreak >= 0;
        } else if (line.key == "book-type") {
            state.dvdRomBookType = line.value == "DVD-ROM";
        }
    }
    if (!valid || !configuredSeen || state.configured != spec.medium)
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
