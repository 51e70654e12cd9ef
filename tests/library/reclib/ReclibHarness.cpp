#include "ReclibHarness.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

CallbackRecord &recordOf(void *context)
{
    CallbackRecord &record = *static_cast<CallbackRecord *>(context);
    record.noteThread();
    return record;
}

std::string textOf(const char *text)
{
    return text != nullptr ? text : "<null>";
}

} // namespace

RecLibSettings CallbackRecord::settings()
{
    RecLibSettings settings{};
    settings.filesFolder = "NeroFiles";
    settings.vendor = "ahead";
    settings.software = "Nero - Burning Rom";
    settings.languageFile = "Nero.txt";
    settings.idleCallback = [](void *context) {
        CallbackRecord &record = recordOf(context);
        ++record.idleCalls;
        return record.wantAbort() ? 1 : 0;
    };
    settings.idleContext = this;
    settings.userDialogCallback = [](void *context, int type, void *data) {
        CallbackRecord &record = recordOf(context);
        record.dialogs.emplace_back(type, reinterpret_cast<intptr_t>(data));
        return record.answerDialog(type, data);
    };
    settings.userDialogContext = this;
    return settings;
}

RecProgress CallbackRecord::progress()
{
    RecProgress progress{};
    progress.progressCallback = [](void *context, int percent) {
        CallbackRecord &record = recordOf(context);
        record.percents.push_back(percent);
        return record.wantAbort() ? 1 : 0;
    };
    progress.abortCallback = [](void *context) {
        CallbackRecord &record = recordOf(context);
        ++record.abortCalls;
        return record.wantAbort() ? 1 : 0;
    };
    progress.logLineCallback = [](void *context, int type, const char *text) {
        recordOf(context).logs.emplace_back(type, textOf(text));
    };
    progress.phaseCallback = [](void *context, const char *text) {
        recordOf(context).phases.push_back(textOf(text));
    };
    progress.context = this;
    return progress;
}

std::string CallbackRecord::allLogs() const
{
    std::string all;
    for (const auto &[type, text] : logs)
        all += text + "\n";
    return all;
}

LoadedReclib::LoadedReclib(const std::string &configText)
{
    folder = imagetest::tempDir("reclib");
    const std::string library = folder + "/NeroAPI.so";
    std::filesystem::copy_file(std::string(ORVANE_TEST_PROGRAM_DIR) + "/NeroAPI.so", library);
    writeFile(folder + "/virtual-recorders.conf", configText);
    m_module = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(m_module, nullptr) << dlerror();
    if (m_module == nullptr)
        return;
#define RECLIB_RESOLVE(name)                                                                                 \
    api.name = reinterpret_cast<PFN_##name>(dlsym(m_module, #name));                                         \
    EXPECT_NE(api.name, nullptr) << #name;
    RECLIB_EXPORTS(RECLIB_RESOLVE)
#undef RECLIB_RESOLVE
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

std::vector<std::string> filesEndingWith(const std::string &folder, const std::string &suffix)
{
    std::vector<std::string> found;
    std::error_code error;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder, error)) {
        const std::string name = entry.path().string();
        if (name.ends_with(suffix))
            found.push_back(name);
    }
    return found;
}
