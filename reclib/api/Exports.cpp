// The C functions NeroAPI.so exports (exports.map lists them; nothing else
// is visible). Each one checks what the program hands it and turns a bad
// argument into its documented failure value and an error-log line.
#include "core/BurnSession.h"
#include "core/Library.h"
#include "core/LibraryTexts.h"
#include "core/RecorderCatalog.h"
#include "core/TreeCheck.h"
#include "reclib_api.h"

#include <cstring>

#include "image/ImageFileTrack.h"
#include "image/ImageTrack.h"
#include "image/IsoImageTrack.h"

#define RECLIB_EXPORT extern "C" __attribute__((visibility("default")))

using reclib::Library;

namespace {

constexpr uint16_t VersionMajor = RECLIB_API_VERSION / 1000;
constexpr uint16_t VersionMinor = RECLIB_API_VERSION / 100 % 10;

bool versionAccepted(unsigned major, unsigned minor, unsigned third, unsigned fourth)
{
    const unsigned expected = major * 1000 + minor * 100 + third * 10 + fourth;
    return major == VersionMajor && third < 10 && fourth < 10 && minor < 10 && expected <= RECLIB_API_VERSION;
}

reclib::RecorderCatalog catalog()
{
    return reclib::RecorderCatalog(Library::stateFolders(), Library::instance().errors());
}

char *handOut(const std::string &text)
{
    return text.empty() ? nullptr : Library::instance().blocks().copyText(text);
}

} // namespace

RECLIB_EXPORT unsigned int NeroGetAPIVersion(void)
{
    return RECLIB_API_VERSION;
}

RECLIB_EXPORT int NeroGetAPIVersionEx(uint16_t *major, uint16_t *minor, uint16_t *third, uint16_t *fourth,
                                      void *)
{
    if (major == nullptr || minor == nullptr || third == nullptr || fourth == nullptr)
        return 0;
    *major = VersionMajor;
    *minor = VersionMinor;
    *third = 0;
    *fourth = 0;
    return 1;
}

RECLIB_EXPORT int NeroSetExpectedAPIVersion(unsigned int version)
{
    return versionAccepted(version / 1000, version / 100 % 10, version / 10 % 10, version % 10) &&
                   version < 10000
               ? 1
               : 0;
}

RECLIB_EXPORT int NeroSetExpectedAPIVersionEx(uint16_t major, uint16_t minor, uint16_t third, uint16_t fourth,
                                              void *)
{
    return versionAccepted(major, minor, third, fourth) ? 1 : 0;
}

RECLIB_EXPORT int NeroInit(const RecLibSettings *settings, const char *)
{
    return Library::instance().init(settings);
}

RECLIB_EXPORT int NeroDone(void)
{
    return Library::instance().done();
}

RECLIB_EXPORT void NeroClearErrors(void)
{
    Library::instance().errors().clear();
}

RECLIB_EXPORT char *NeroGetErrorLog(void)
{
    return handOut(Library::instance().errors().text());
}

RECLIB_EXPORT void NeroFreeMem(void *block)
{
    if (block != nullptr && !Library::instance().blocks().release(block))
        Library::instance().errors().add("NeroFreeMem: a block the library did not hand out was ignored");
}

RECLIB_EXPORT void *NeroCreateIsoItemOfSize(size_t size)
{
    return Library::instance().blocks().allocate(size);
}

RECLIB_EXPORT DeviceInfoList *NeroGetAvailableDrivesEx(uint32_t mediaSet, void *)
{
    Library &library = Library::instance();
    const bool withDrives = library.libburnReady();
    const std::vector<reclib::RecorderEntry> entries = catalog().list(mediaSet, withDrives);
    const size_t bytes =
        offsetof(DeviceInfoList, devices) + std::max<size_t>(1, entries.size()) * sizeof(DeviceInfo);
    auto *list = static_cast<DeviceInfoList *>(library.blocks().allocate(bytes));
    if (list == nullptr)
        return nullptr;
    list->count = static_cast<int32_t>(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        list->devices[i] = entries[i].toDeviceInfo(static_cast<int32_t>(i));
    return list;
}

RECLIB_EXPORT void *NeroGetAvailableDrives(void)
{
    return NeroGetAvailableDrivesEx(MEDIA_CD, nullptr);
}

RECLIB_EXPORT char *NeroGetTypeNameOfMedia(uint32_t mediaSet, const char *separator)
{
    return Library::instance().blocks().copyText(reclib::mediaTypeNames(mediaSet, separator));
}

RECLIB_EXPORT RecDeviceHandle NeroOpenDevice(const void *device)
{
    Library &library = Library::instance();
    if (device == nullptr) {
        library.errors().add("NeroOpenDevice: no device record");
        return nullptr;
    }
    std::unique_ptr<reclib::Recorder> recorder = catalog().open(*static_cast<const DeviceInfo *>(device));
    if (!recorder)
        return nullptr;
    return library.handles().add(std::move(recorder));
}

RECLIB_EXPORT void NeroCloseDevice(RecDeviceHandle device)
{
    if (device != nullptr && !Library::instance().handles().remove(device))
        Library::instance().errors().add("NeroCloseDevice: the recorder handle is unknown or already closed");
}

RECLIB_EXPORT DiscInfo *NeroGetCDInfo(RecDeviceHandle device, uint32_t)
{
    Library &library = Library::instance();
    const std::shared_ptr<reclib::Recorder> recorder = library.handles().find(device);
    if (!recorder) {
        library.errors().add("NeroGetCDInfo: the recorder handle is unknown or closed");
        return nullptr;
    }
    std::string whyNot;
    if (recorder->entry().kind == reclib::RecorderKind::Drive && !library.libburnReady())
        return nullptr;
    const std::optional<DiscInfo> info = recorder->discInfo(whyNot);
    if (!whyNot.empty())
        library.errors().add(whyNot);
    if (!info)
        return nullptr;
    auto *block = static_cast<DiscInfo *>(library.blocks().allocate(sizeof(DiscInfo)));
    if (block != nullptr)
        *block = *info;
    return block;
}

RECLIB_EXPORT IsoTrack *NeroCreateIsoTrackEx(IsoItem *root, const char *label, uint32_t flags)
{
    Library &library = Library::instance();
    std::string why;
    if (!reclib::treeIsSound(root, why)) {
        library.errors().add("NeroCreateIsoTrackEx: " + why);
        return nullptr;
    }
    // Opening every source of a large folder takes a while: the program's
    // idle callback, on this same thread, can ask to stop meanwhile.
    const RecLibSettings settings = library.settings();
    const auto stopRequested = [settings] {
        return settings.idleCallback != nullptr && settings.idleCallback(settings.idleContext) != 0;
    };
    IsoTrack *track = CreateIsoImageTrack(root, label != nullptr ? label : "", flags, stopRequested);
    if (track == nullptr) {
        library.errors().add("NeroCreateIsoTrackEx: the image could not be laid out");
        return nullptr;
    }
    if (imageTrackOf(track)->stopped()) {
        library.errors().add("NeroCreateIsoTrackEx: stopped by the program while the sources were opened");
        track->vtbl->destroy(track, 1);
        return nullptr;
    }
    // Every source has been opened and stamped by now: a track that cannot
    // be burned is refused here, while the disc has not been touched, rather
    // than by the burn after an erase.
    if (const char *error = track->vtbl->layoutError(track)) {
        library.errors().add(error);
        track->vtbl->destroy(track, 1);
        return nullptr;
    }
    return track;
}

RECLIB_EXPORT IsoTrack *NeroCreateIsoTrackFromImage(const char *path)
{
    std::string why;
    IsoTrack *track = CreateImageFileTrack(path != nullptr ? path : "", why);
    if (track == nullptr)
        Library::instance().errors().add("NeroCreateIsoTrackFromImage: " + why);
    return track;
}

RECLIB_EXPORT void NeroFreeIsoTrack(IsoTrack *track)
{
    if (track != nullptr && track->vtbl != nullptr)
        track->vtbl->destroy(track, 1);
}

RECLIB_EXPORT int NeroBurn(RecDeviceHandle device, int format, void *writeRecord, uint32_t flags,
                           uint32_t speed, RecProgress *progress)
{
    return reclib::runBurn(Library::instance(), device, format, writeRecord, flags, speed, progress);
}

RECLIB_EXPORT int NeroCheckTrackRoom(RecDeviceHandle device, IsoTrack *track, uint32_t flags)
{
    Library &library = Library::instance();
    const std::shared_ptr<reclib::Recorder> recorder = library.handles().find(device);
    if (!recorder) {
        library.errors().add("NeroCheckTrackRoom: the recorder handle is unknown or closed");
        return BURN_INVALID_DRIVE;
    }
    if (track == nullptr || track->vtbl == nullptr) {
        library.errors().add("NeroCheckTrackRoom: no track");
        return BURN_FAILED;
    }
    if ((flags & BURN_FLAG_SIMULATE) != 0)
        return BURN_OK;
    std::string whyNot;
    if (recorder->checkRoom(track->vtbl->sizeInBlocks(track), whyNot))
        return BURN_OK;
    library.errors().add(whyNot);
    return BURN_FAILED;
}

RECLIB_EXPORT int NeroEjectLoadCD(RecDeviceHandle device, int eject)
{
    Library &library = Library::instance();
    const std::shared_ptr<reclib::Recorder> recorder = library.handles().find(device);
    if (!recorder) {
        library.errors().add("NeroEjectLoadCD: the recorder handle is unknown or closed");
        return -1;
    }
    if (recorder->entry().kind == reclib::RecorderKind::Drive && !library.libburnReady())
        return -1;
    std::string whyNot;
    const int result = recorder->ejectLoad(eject != 0, whyNot);
    if (result != 0)
        library.errors().add(whyNot);
    return result;
}

RECLIB_EXPORT int NeroGetCDRWErasingTime(RecDeviceHandle device, int mode)
{
    Library &library = Library::instance();
    const std::shared_ptr<reclib::Recorder> recorder = library.handles().find(device);
    if (!recorder) {
        library.errors().add("NeroGetCDRWErasingTime: the recorder handle is unknown or closed");
        return ERASE_TIME_NO_DEVICE;
    }
    if (recorder->entry().kind == reclib::RecorderKind::Drive && !library.libburnReady())
        return ERASE_TIME_NO_DEVICE;
    std::string whyNot;
    const int seconds = recorder->eraseEstimate(mode, whyNot);
    if (seconds < 0)
        library.errors().add(whyNot);
    return seconds;
}

RECLIB_EXPORT int NeroEraseCDRW(RecDeviceHandle device, int mode)
{
    return reclib::runErase(Library::instance(), device, mode);
}

RECLIB_EXPORT char *NeroGetLocalizedWaitCDTexts(int waitType)
{
    return handOut(reclib::waitReasonText(waitType));
}
