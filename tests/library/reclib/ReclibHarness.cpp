#include "ReclibHarness.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

CallbackRecord &recordOf(void *context)
{
    return *static_cast<CallbackRecord *>(context);
}

int onIdle(void *context)
{
    CallbackRecord &record = recordOf(context);
    record.noteThread();
    ++record.idleCalls;
    return record.wantAbort() ? 1 : 0;
}

int onUserDialog(void *context, int type, void *data)
{
    CallbackRecord &record = recordOf(context);
    record.noteThread();
    record.dialogs.emplace_back(type, reinterpret_cast<intptr_t>(data));
    return record.answerDialog(type, data);
}

int onProgress(void *context, int percent)
{
    CallbackRecord &record = recordOf(context);
    record.noteThread();
    record.percents.push_back(percent);
    return record.wantAbort() ? 1 : 0;
}

int onAbort(void *context)
{
    CallbackRecord &record = recordOf(context);
    record.noteThread();
    ++record.abortCalls;
    return record.wantAbort() ? 1 : 0;
}

void onLogLine(void *context, int textType, const char *text)
{
    CallbackRecord &record = recordOf(context);
    record.noteThread();
    record.logs.emplace_back(textType, text != nullptr ? text : "<null>");
}

void onPhase(void *context, const char *text)
{
    CallbackRecord &record = recordOf(context);
    record.noteThread();
    record.phases.emplace_back(text != nullptr ? text : "<null>");
}

template <typename Function> void resolve(void *module, const char *name, Function &target)
{
    target = reinterpret_cast<Function>(dlsym(module, name));
    ASSERT_NE(target, nullptr) << name;
}

} // namespace

RecLibSettings CallbackRecord::settings()
{
    RecLibSettings settings{};
    settings.filesFolder = "NeroFiles";
    settings.vendor = "ahead";
    settings.software = "Nero - Burning Rom";
    settings.languageFile = "Nero.txt";
    settings.idleCallback = onIdle;
    settings.idleContext = this;
    settings.userDialogCallback = onUserDialog;
    settings.userDialogContext = this;
    return settings;
}

RecProgress CallbackRecord::progress()
{
    RecProgress progress{};
    progress.progressCallback = onProgress;
    progress.abortCallback = onAbort;
    progress.logLineCallback = onLogLine;
    progress.phaseCallback = onPhase;
    progress.context = this;
    return progress;
}

void CallbackRecord::noteThread()
{
    if (std::this_thread::get_id() != callerThread)
        foreignThread = true;
}

bool CallbackRecord::logged(const std::string &line) const
{
    for (const auto &[type, text] : logs) {
        if (text == line)
            return true;
    }
    return false;
}

bool CallbackRecord::loggedContaining(const std::string &part) const
{
    return allLogs().find(part) != std::string::npos;
}

std::string CallbackRecord::allLogs() const
{
    std::string all;
    for (const auto &[type, text] : logs)
        all += text + "\n";
    return all;
}

bool CallbackRecord::phaseSeen(const std::string &phase) const
{
    for (const std::string &seen : phases) {
        if (seen == phase)
            return true;
    }
    return false;
}

LoadedReclib::LoadedReclib(const std::string &configText)
{
    folder = testenv::makeTempDir("reclib").toStdString();
    const std::string library = folder + "/NeroAPI.so";
    std::filesystem::copy_file(std::string(ORVANE_TEST_PROGRAM_DIR) + "/NeroAPI.so", library);
    writeFile(folder + "/virtual-recorders.conf", configText);
    m_module = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(m_module, nullptr) << dlerror();
    if (m_module == nullptr)
        return;
    resolve(m_module, "NeroGetAPIVersion", api.NeroGetAPIVersion);
    resolve(m_module, "NeroGetAPIVersionEx", api.NeroGetAPIVersionEx);
    resolve(m_module, "NeroSetExpectedAPIVersion", api.NeroSetExpectedAPIVersion);
    resolve(m_module, "NeroSetExpectedAPIVersionEx", api.NeroSetExpectedAPIVersionEx);
    resolve(m_module, "NeroInit", api.NeroInit);
    resolve(m_module, "NeroDone", api.NeroDone);
    resolve(m_module, "NeroClearErrors", api.NeroClearErrors);
    resolve(m_module, "NeroGetErrorLog", api.NeroGetErrorLog);
    resolve(m_module, "NeroFreeMem", api.NeroFreeMem);
    resolve(m_module, "NeroCreateIsoItemOfSize", api.NeroCreateIsoItemOfSize);
    resolve(m_module, "NeroGetAvailableDrivesEx", api.NeroGetAvailableDrivesEx);
    resolve(m_module, "NeroGetAvailableDrives", api.NeroGetAvailableDrives);
    resolve(m_module, "NeroGetTypeNameOfMedia", api.NeroGetTypeNameOfMedia);
    resolve(m_module, "NeroOpenDevice", api.NeroOpenDevice);
    resolve(m_module, "NeroCloseDevice", api.NeroCloseDevice);
    resolve(m_module, "NeroGetCDInfo", api.NeroGetCDInfo);
    resolve(m_module, "NeroCreateIsoTrackEx", api.NeroCreateIsoTrackEx);
    resolve(m_module, "NeroFreeIsoTrack", api.NeroFreeIsoTrack);
    resolve(m_module, "NeroBurn", api.NeroBurn);
    resolve(m_module, "NeroEjectLoadCD", api.NeroEjectLoadCD);
    resolve(m_module, "NeroGetCDRWErasingTime", api.NeroGetCDRWErasingTime);
    resolve(m_module, "NeroEraseCDRW", api.NeroEraseCDRW);
    resolve(m_module, "NeroGetLocalizedWaitCDTexts", api.NeroGetLocalizedWaitCDTexts);
    m_settings = callbacks.settings();
    EXPECT_EQ(api.NeroInit(&m_settings, nullptr), 0);
}

LoadedReclib::~LoadedReclib()
{
    if (m_module != nullptr) {
        api.NeroClearErrors();
        api.NeroDone();
        dlclose(m_module);
    }
}

RecDeviceHandle LoadedReclib::open(const std::string &name, uint32_t mediaSet)
{
    DeviceInfoList *list = api.NeroGetAvailableDrivesEx(mediaSet, nullptr);
    RecDeviceHandle handle = nullptr;
    for (int32_t i = 0; list != nullptr && i < list->count && handle == nullptr; ++i) {
        if (name == list->devices[i].name)
            handle = api.NeroOpenDevice(&list->devices[i]);
    }
    api.NeroFreeMem(list);
    EXPECT_NE(handle, nullptr) << "recorder " << name;
    return handle;
}

int LoadedReclib::burn(RecDeviceHandle device, IsoTrack *track, uint32_t flags, uint32_t speed,
                       int32_t mediaType)
{
    WriteRecord record{};
    record.track = track;
    record.mediaType = mediaType;
    RecProgress progress = callbacks.progress();
    const int result = api.NeroBurn(device, 0, &record, flags, speed, &progress);
    api.NeroFreeIsoTrack(track);
    return result;
}

std::string LoadedReclib::errorLog()
{
    char *text = api.NeroGetErrorLog();
    std::string copy = text != nullptr ? text : "";
    api.NeroFreeMem(text);
    return copy;
}

DiscInfo LoadedReclib::discInfo(RecDeviceHandle device)
{
    DiscInfo copy{};
    copy.mediaType = 0xffffffffu;
    if (DiscInfo *info = api.NeroGetCDInfo(device, CDINFO_FLAGS_DEFAULT)) {
        copy = *info;
        api.NeroFreeMem(info);
    }
    return copy;
}

std::vector<unsigned char> readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeFile(const std::string &path, const std::string &text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool exists(const std::string &path)
{
    return std::filesystem::exists(path);
}

std::vector<std::string> filesEndingWith(const std::string &folder, const std::string &suffix)
{
    std::vector<std::string> found;
    std::error_code error;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder, error)) {
        const std::string name = entry.path().string();
        if (name.size() >= suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            found.push_back(name);
    }
    return found;
}
