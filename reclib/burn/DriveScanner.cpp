#include "burn/DriveScanner.h"

#include "burn/Libburn.h"
#include "recorders/DriveDecisions.h"
#include "recorders/DriveIdentity.h"
#include "recorders/KeyValueText.h"
#include "recorders/ProfileMapping.h"
#include "recorders/SpeedMapping.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace reclib {
namespace {

std::vector<ReportedSpeed> reportedSpeedsOf(burn::burn_drive *drive)
{
    std::vector<ReportedSpeed> speeds;
    burn::burn_speed_descriptor *list = nullptr;
    if (burn::burn_drive_get_speedlist(drive, &list) == 1) {
        for (burn::burn_speed_descriptor *item = list; item != nullptr; item = item->next)
            speeds.push_back({item->profile_loaded, item->write_speed});
        burn::burn_drive_free_speedlist(&list);
    }
    return speeds;
}

std::vector<int> speedsOf(burn::burn_drive *drive)
{
    std::vector<int> speeds;
    for (const ReportedSpeed &speed : reportedSpeedsOf(drive))
        speeds.push_back(speed.writeSpeed);
    return speeds;
}

std::vector<int> profilesOf(burn::burn_drive *drive)
{
    int count = 0;
    int profiles[64];
    char current[64];
    if (burn::burn_drive_get_all_profiles(drive, &count, profiles, current) != 1)
        return {};
    return std::vector<int>(profiles, profiles + count);
}

// libburn's answers are malloc()ed texts the caller frees.
std::string takeText(char *text)
{
    std::string copy = text != nullptr ? text : "";
    std::free(text);
    return copy;
}

std::string mediaIdentity(burn::burn_drive *drive, int profile)
{
    char *product = nullptr;
    char *code1 = nullptr;
    char *code2 = nullptr;
    char *book = nullptr;
    if (burn::burn_disc_get_media_id(drive, &product, &code1, &code2, &book, 0) != 1)
        return mediaIdentityText({}, {}, {});
    const std::string manufacturer = code1 != nullptr && code2 != nullptr
                                         ? takeText(burn::burn_guess_manufacturer(profile, code1, code2, 0))
                                         : "";
    std::free(code1);
    std::free(code2);
    return mediaIdentityText(takeText(product), manufacturer, takeText(book));
}

RecorderEntry describe(burn::burn_drive_info &info)
{
    RecorderEntry entry;
    entry.kind = RecorderKind::Drive;
    char address[BURN_DRIVE_ADR_LEN] = {};
    burn::burn_drive_get_adr(&info, address);
    entry.driveAddress = address;
    entry.name = trimmed(std::string(info.vendor) + " " + info.product);
    for (int profile : profilesOf(info.drive)) {
        if (std::optional<MediumKind> kind = mediumFromProfile(profile))
            entry.mediaSet |= traitsOf(*kind).family;
    }
    const SpeedFamily family = (entry.mediaSet & MEDIA_SET_DVD) != 0 ? SpeedFamily::Dvd : SpeedFamily::Cd;
    entry.writeSpeeds = speedBlockFromLibburn(speedsOf(info.drive), family);
    return entry;
}

} // namespace

std::vector<RecorderEntry> scanDrives()
{
    burn::burn_drive_info *infos = nullptr;
    unsigned int count = 0;
    std::vector<RecorderEntry> drives;
    // The scan runs on a libburn thread; it must be asked until it answers.
    int scanned = 0;
    for (int tries = 0; tries < 3000 && scanned == 0; ++tries) {
        scanned = burn::burn_drive_scan(&infos, &count);
        if (scanned == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (scanned <= 0 || infos == nullptr)
        return drives;
    for (unsigned int i = 0; i < count; ++i) {
        RecorderEntry entry = describe(infos[i]);
        if (entry.mediaSet != 0)
            drives.push_back(std::move(entry));
        burn::burn_drive_info_forget(&infos[i], 0);
    }
    burn::burn_drive_info_free(infos);
    return drives;
}

std::optional<DriveDisc> probeDrive(const std::string &address, std::string &error)
{
    std::unique_ptr<GrabbedDrive> drive = GrabbedDrive::grab(address, error);
    if (!drive)
        return std::nullopt;
    DriveDisc disc;
    char name[80] = {};
    burn::burn_disc_get_profile(drive->drive(), &disc.profile, name);
    const burn::burn_disc_status status = burn::burn_disc_get_status(drive->drive());
    disc.blank = status == burn::BURN_DISC_BLANK;
    disc.erasable = burn::burn_disc_erasable(drive->drive()) != 0;
    if (burn::burn_disc *contents = burn::burn_drive_get_disc(drive->drive())) {
        int sessions = 0;
        burn::burn_disc_get_sessions(contents, &sessions);
        disc.sessions = sessions;
        burn::burn_disc_free(contents);
    }
    const std::optional<MediumKind> kind = mediumFromProfile(disc.profile);
    const int64_t available = static_cast<int64_t>(burn::burn_disc_available_space(drive->drive(), nullptr));
    disc.capacitySectors = kind ? driveCapacitySectors(*kind, disc.blank, available) : available / 2048;
    const std::vector<ReportedSpeed> speeds = reportedSpeedsOf(drive->drive());
    disc.blankingSpeed = blankingSpeedFor(speeds, disc.profile);
    const SpeedFamily family =
        kind && (traitsOf(*kind).family & MEDIA_SET_DVD) != 0 ? SpeedFamily::Dvd : SpeedFamily::Cd;
    disc.mediaNote =
        mediaIdentity(drive->drive(), disc.profile) + "\n" + offeredSpeedsText(speeds, disc.profile, family);
    return disc;
}

bool moveTray(const std::string &address, bool eject, std::string &error)
{
    // Grabbing with load=1 closes the tray; releasing with 1 opens it.
    std::unique_ptr<GrabbedDrive> drive = GrabbedDrive::grab(address, error);
    if (!drive)
        return false;
    drive->ejectOnRelease(eject);
    return true;
}

} // namespace reclib
