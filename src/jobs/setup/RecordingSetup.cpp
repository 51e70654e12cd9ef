#include "jobs/setup/RecordingSetup.h"

#include "TextIds.h"
#include "jobs/RecordingState.h"
#include "jobs/RecordingTexts.h"
#include "jobs/burn/BurnCallbacks.h"
#include "jobs/setup/RecorderChoice.h"
#include "jobs/setup/SpeedText.h"
#include "platform/MessageBoxType.h"
#include "recorder/LibraryAdapters.h"
#include "recorder/RecordingLibrary.h"

#include <QStringList>

#include <algorithm>
#include <cstring>

namespace {

// The texts the library settings record points to, in the order of the
// buffers that hold them.
constexpr const char *LibraryTexts[4] = {"Nero.txt", "Nero - Burning Rom", "ahead", "NeroFiles"};

QString DeviceName(const DeviceInfo &device)
{
    return QString::fromUtf8(device.name, static_cast<qsizetype>(strnlen(device.name, sizeof device.name)));
}

uint32_t MediaSetFor(int media)
{
    return media == 0 ? MEDIA_SET_DVD : MEDIA_SET_CD;
}

} // namespace

RecordingSetup::RecordingSetup(const JobPorts &ports, RecordingState &state, BurnCallbacks &callbacks,
                               RegistryStore &registry)
    : m_ports(ports), m_state(state), m_callbacks(callbacks), m_registry(registry)
{
}

void RecordingSetup::InitRecording(uint32_t mediaSet)
{
    m_ports.recorders.ClearDeviceList();
    m_state.m_bAbort = false;
    m_ports.report.AppendLogText(textid::SetupStarts);
    if (!LoadRecordingLibrary(m_registry)) {
        m_ports.report.AppendLogText(textid::LibraryNotLoaded);
        m_ports.report.ShowMessageBox(m_ports.report.GetText(textid::LibraryMissingBox),
                                      QString::fromLatin1(rec_caption::Error), mb::IconStop);
        m_ports.setup.EndDialog(-1);
        return;
    }
    LogLibraryVersion();
    FillLibraryRecords();
    LogInitResult(NeroInit(&m_state.m_libSettings, nullptr));
    const QStringList names = ListRecorders(mediaSet);
    // Selecting here runs no OnDeviceChanged: its log lines are for the
    // user's own choice.
    if (!names.isEmpty())
        m_ports.recorders.SelectDevice(jobs::PreselectRecorder(names, m_state.m_strDeviceName));
    FillSpeedList();
}

void RecordingSetup::LogLibraryVersion()
{
    uint16_t major = 0, minor = 0, third = 0, fourth = 0;
    NeroGetAPIVersionEx(&major, &minor, &third, &fourth, nullptr);
    m_ports.report.AppendLog(
        QStringLiteral("Nero API version %1.%2.%3.%4").arg(major).arg(minor).arg(third).arg(fourth));
}

void RecordingSetup::FillLibraryRecords()
{
    for (int i = 0; i < 4; ++i) {
        std::memset(m_state.m_szLibText[i], 0, sizeof m_state.m_szLibText[i]);
        std::strncpy(m_state.m_szLibText[i], LibraryTexts[i], sizeof m_state.m_szLibText[i] - 1);
    }
    RecLibSettings &settings = m_state.m_libSettings;
    settings = RecLibSettings{};
    settings.filesFolder = m_state.m_szLibText[3];
    settings.vendor = m_state.m_szLibText[2];
    settings.software = m_state.m_szLibText[1];
    settings.languageFile = m_state.m_szLibText[0];
    m_callbacks.FillLibrarySettings(settings);
    m_callbacks.FillProgressRecord(m_state.m_libProgress);
    m_state.m_pDeviceInfos = nullptr;
}

void RecordingSetup::LogInitResult(int result)
{
    if (result == 0)
        m_ports.report.AppendLogText(textid::InitDone);
    else if (result == 1)
        m_ports.report.AppendLogText(textid::InitRefused);
    else
        m_ports.report.AppendLogText(textid::InitFailed);
}

QStringList RecordingSetup::ListRecorders(uint32_t mediaSet)
{
    QStringList listed;
    m_state.m_pDeviceInfos = NeroGetAvailableDrivesEx(mediaSet, nullptr);
    // The library's problems with its recorders (a line of its configuration
    // file it cannot use), where the user sees them.
    char *problems = NeroGetErrorLog();
    for (const QString &line :
         QString::fromUtf8(problems != nullptr ? problems : "").split(u'\n', Qt::SkipEmptyParts))
        m_ports.report.AppendLog(line);
    NeroFreeMem(problems);
    NeroClearErrors();
    if (m_state.m_pDeviceInfos == nullptr) {
        m_ports.report.AppendLogText(textid::NoDriveList);
        return listed;
    }
    if (m_state.m_pDeviceInfos->count <= 0) {
        m_ports.report.AppendLogText(textid::NoDrives);
        return listed;
    }
    m_ports.report.AppendLogText(textid::DrivesFound);
    for (int i = 0; i < m_state.m_pDeviceInfos->count; ++i) {
        const DeviceInfo &device = m_state.m_pDeviceInfos->devices[i];
        if (!jobs::IsListedRecorder(device, mediaSet))
            continue;
        const QString name = DeviceName(device);
        m_ports.report.AppendLog(name);
        m_ports.recorders.AddDevice(name, &device);
        listed << name;
    }
    return listed;
}

void RecordingSetup::FillSpeedList()
{
    m_ports.speeds.ClearSpeedList();
    const DeviceInfo *device = m_ports.recorders.SelectedDevice();
    if (device == nullptr)
        return;
    const SpeedBlock &speeds = device->writeSpeeds;
    if (speeds.count <= 0 || speeds.rate1x <= 0) {
        m_ports.speeds.EnableSpeedList(false);
        return;
    }
    // The block holds at most SPEED_BLOCK_MAX speeds, whatever the count says.
    const int count = std::min<int>(speeds.count, SPEED_BLOCK_MAX);
    for (int k = 0; k < count; ++k)
        m_ports.speeds.AddSpeed(jobs::SpeedListEntry(speeds.kBs[k], speeds.rate1x));
    m_ports.speeds.EnableSpeedList(true);
    m_ports.speeds.SelectSpeed(jobs::PreselectSpeed(m_state.m_nSpeedIndex, count));
    m_ports.busy.UpdateData(Exchange::FromControls);
}

void RecordingSetup::DoneRecording()
{
    m_state.m_pIsoRoot.reset();
    // The Devices list's item data points into the list about to be freed.
    m_ports.recorders.ClearDeviceList();
    if (m_state.m_pDeviceInfos != nullptr) {
        NeroFreeMem(m_state.m_pDeviceInfos);
        m_state.m_pDeviceInfos = nullptr;
    }
    NeroClearErrors();
    NeroDone();
    UnloadRecordingLibrary();
    m_ports.speeds.ClearSpeedList();
}

void RecordingSetup::Reload(uint32_t mediaSet)
{
    DoneRecording();
    InitRecording(mediaSet);
    m_ports.busy.RestoreIdleUi();
}

void RecordingSetup::OnMediaDvd()
{
    m_ports.busy.UpdateData(Exchange::FromControls);
    m_ports.busy.UpdateData(Exchange::ToControls);
    m_ports.busy.EnableBusyUi(AbortButton::Disabled);
    m_ports.busy.UpdateData(Exchange::ToControls);
    m_ports.report.AppendLogText(textid::SwitchToDvd);
    Reload(MEDIA_SET_DVD);
    m_ports.setup.ApplyFsDefaults(0);
    m_ports.setup.CheckSourceSize();
}

void RecordingSetup::OnMediaCd()
{
    m_ports.busy.UpdateData(Exchange::FromControls);
    m_ports.busy.EnableBusyUi(AbortButton::Disabled);
    m_ports.report.AppendLogText(textid::SwitchToCd);
    Reload(MEDIA_SET_CD);
    m_ports.busy.UpdateData(Exchange::ToControls);
    m_ports.setup.ApplyFsDefaults(1);
    m_ports.setup.CheckSourceSize();
}

void RecordingSetup::OnRefreshDevices()
{
    m_ports.busy.UpdateData(Exchange::FromControls);
    m_ports.busy.EnableBusyUi(AbortButton::Disabled);
    Reload(MediaSetFor(m_state.m_nMedia));
}

void RecordingSetup::OnDeviceChanged()
{
    FillSpeedList();
    const DeviceInfo *device = m_ports.recorders.SelectedDevice();
    if (device == nullptr)
        return;
    const QString name = m_ports.recorders.SelectedDeviceText();
    char *mediaName = NeroGetTypeNameOfMedia(device->mediaSet, nullptr);
    m_ports.report.AppendLog(m_ports.report.GetText(textid::RecorderIs) + QStringLiteral(" \"") + name +
                             QStringLiteral("\"..."));
    m_ports.report.AppendLog(QStringLiteral("(") +
                             (mediaName != nullptr ? QString::fromUtf8(mediaName) : QString()) +
                             QStringLiteral(")"));
    if (mediaName != nullptr)
        NeroFreeMem(mediaName);
}

void RecordingSetup::OnReallocateClicked()
{
    m_ports.busy.UpdateData(Exchange::FromControls);
    if (m_state.m_bReallocate == 0) {
        m_ports.report.AppendLogText(textid::ReallocationOff);
        m_ports.report.ShowMessageBox(m_ports.report.GetText(textid::ReallocationOffInfo),
                                      QString::fromLatin1(rec_caption::JustInfo), mb::IconInformation);
    } else {
        m_ports.report.AppendLogText(textid::ReallocationOn);
    }
}
