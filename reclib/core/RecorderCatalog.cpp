#include "core/RecorderCatalog.h"

#include "burn/DriveNodeAccess.h"
#include "burn/DriveScanner.h"
#include "core/DriveRecorder.h"
#include "core/ImageRecorder.h"
#include "core/VirtualRecorder.h"
#include "recorders/SpeedMapping.h"
#include "recorders/VirtualRecorderConfig.h"

#include <cstring>

namespace reclib {
namespace {

RecorderEntry virtualEntry(const VirtualRecorderSettings &spec)
{
    RecorderEntry entry;
    entry.kind = RecorderKind::Virtual;
    entry.name = spec.name;
    entry.virtualSpec = spec;
    entry.mediaSet = spec.mediaSet;
    const bool dvd =
        spec.medium != MediumKind::None ? isDvd(spec.medium) : (spec.mediaSet & MEDIA_SET_DVD) != 0;
    entry.writeSpeeds = speedBlockFromLibburn(spec.speeds, dvd ? SpeedFamily::Dvd : SpeedFamily::Cd);
    return entry;
}

RecorderEntry imageEntry()
{
    RecorderEntry entry;
    entry.kind = RecorderKind::Image;
    entry.name = ImageRecorderName;
    entry.mediaSet = MEDIA_CD | MEDIA_SET_DVD;
    return entry;
}

std::string textField(const char *field, size_t size)
{
    return std::string(field, strnlen(field, size));
}

} // namespace

std::vector<RecorderEntry> RecorderCatalog::virtualRecorders(Problems problems) const
{
    const VirtualRecorderConfig config =
        VirtualRecorderConfig::load(m_folders.config + "/" + std::string(VirtualRecorderConfigName));
    for (const std::string &problem :
         problems == Problems::Report ? config.problems : std::vector<std::string>{})
        m_errors.add(problem);
    std::vector<RecorderEntry> entries;
    for (const VirtualRecorderSettings &spec : config.recorders)
        entries.push_back(virtualEntry(spec));
    return entries;
}

std::vector<RecorderEntry> RecorderCatalog::list(uint32_t mediaSet, bool withDrives) const
{
    std::vector<RecorderEntry> all = withDrives ? scanDrives() : std::vector<RecorderEntry>{};
    // A drive libburn left out because the user may not open it.
    for (const std::string &note : withDrives ? unusableDriveNotes() : std::vector<std::string>{})
        m_errors.add(note);
    for (RecorderEntry &entry : virtualRecorders(Problems::Report))
        all.push_back(std::move(entry));
    all.push_back(imageEntry());

    std::vector<RecorderEntry> listed;
    for (RecorderEntry &entry : all) {
        if (mediaSet == 0 || (entry.mediaSet & mediaSet) != 0)
            listed.push_back(std::move(entry));
    }
    return listed;
}

std::unique_ptr<Recorder> RecorderCatalog::open(const DeviceInfo &device) const
{
    const std::string key = textField(device.libText, sizeof device.libText);
    if (key == "image:")
        return std::make_unique<ImageRecorder>(imageEntry());
    if (key.rfind("virtual:", 0) == 0) {
        const std::string name = key.substr(std::strlen("virtual:"));
        for (RecorderEntry &entry : virtualRecorders(Problems::Quiet)) {
            if (entry.name != name)
                continue;
            auto recorder = std::make_unique<VirtualRecorder>(std::move(entry), m_folders.data);
            std::string whyNot;
            if (!recorder->claim(whyNot)) {
                m_errors.add(whyNot);
                return nullptr;
            }
            return recorder;
        }
        m_errors.add("The virtual recorder \"" + name + "\" is no longer configured");
        return nullptr;
    }
    if (key.rfind("drive:", 0) == 0 && key.size() > std::strlen("drive:")) {
        RecorderEntry entry;
        entry.kind = RecorderKind::Drive;
        entry.name = textField(device.name, sizeof device.name);
        entry.driveAddress = key.substr(std::strlen("drive:"));
        entry.mediaSet = device.mediaSet;
        entry.writeSpeeds = device.writeSpeeds;
        return std::make_unique<DriveRecorder>(std::move(entry));
    }
    m_errors.add("NeroOpenDevice: the device record names no recorder of this library");
    return nullptr;
}

} // namespace reclib
