#include "core/DiscChanger.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace reclib {
namespace fs = std::filesystem;
namespace {

bool writeText(const std::string &path, const std::string &text)
{
    const std::string temporary = path + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        if (!file.flush())
            return false;
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    return !error;
}

bool isStateFile(const fs::path &path)
{
    return path.extension() == ".state" || path.extension() == ".new";
}

} // namespace

bool DiscChanger::eject(const MediumState &state, std::string &why) const
{
    if (!state.present())
        return true;
    std::error_code error;
    const fs::path out = fs::path(m_folder) / "ejected";
    fs::create_directories(out, error);
    int number = 1;
    while (fs::exists(out / ("disc-" + std::to_string(number) + ".iso"), error))
        ++number;
    const fs::path taken = out / ("disc-" + std::to_string(number) + ".iso");
    // The state first: a disc whose state went missing would read as used
    // with unknown contents, never as blank.
    if (!writeText(taken.string() + ".state", state.text())) {
        why = "The disc cannot be ejected into " + out.string();
        return false;
    }
    if (fs::exists(m_medium, error))
        fs::rename(m_medium, taken, error);
    else
        std::ofstream(taken.string(), std::ios::binary);
    if (error) {
        why = "The disc cannot be ejected into " + out.string() + ": " + error.message();
        return false;
    }
    MediumState empty;
    empty.configured = state.configured;
    empty.kind = MediumKind::None;
    if (!writeText(MediumState::statePathFor(m_medium), empty.text())) {
        why = "The empty tray's state cannot be written";
        return false;
    }
    loadWaiting(empty);
    return true;
}

bool DiscChanger::loadWaiting(const MediumState &state) const
{
    if (state.present())
        return false;
    std::error_code error;
    std::vector<fs::path> waiting;
    for (const fs::directory_entry &entry : fs::directory_iterator(m_folder, error)) {
        if (entry.is_regular_file(error) && !isStateFile(entry.path()))
            waiting.push_back(entry.path());
    }
    if (waiting.empty())
        return false;
    const fs::path next = *std::min_element(waiting.begin(), waiting.end());
    fs::rename(next, m_medium, error);
    if (error)
        return false;
    // Without a state of its own the disc is what its file holds: blank
    // when empty, used with unknown contents otherwise.
    const std::string statePath = MediumState::statePathFor(m_medium);
    fs::rename(next.string() + ".state", statePath, error);
    if (error)
        fs::remove(statePath, error);
    return true;
}

} // namespace reclib
