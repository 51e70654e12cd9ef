#include "FakeRecordingWindow.h"

FakeRecordingWindow::FakeRecordingWindow() = default;

void FakeRecordingWindow::AppendLog(const QString &line)
{
    std::lock_guard lock(mutex);
    m_log << line;
}

QString FakeRecordingWindow::GetText(int textId) const
{
    std::lock_guard lock(mutex);
    const auto found = texts.find(textId);
    return found != texts.end() ? found->second : QStringLiteral("<%1>").arg(textId);
}

void FakeRecordingWindow::SetStatusText(const QString &status)
{
    std::lock_guard lock(mutex);
    m_status << status;
}

int FakeRecordingWindow::Answer(const Box &box)
{
    std::function<int(const Box &)> answer;
    {
        std::lock_guard lock(mutex);
        m_boxes.push_back(box);
        answer = answerBox;
    }
    if (answer)
        return answer(box);
    return (box.type & mb::ButtonsMask) == mb::YesNo ? mb::IdYes : mb::IdOk;
}

int FakeRecordingWindow::ShowMessageBox(const QString &text, const QString &caption, unsigned type)
{
    return Answer({text, caption, type, false});
}

int FakeRecordingWindow::ShowAppMessageBox(const QString &text, const QString &caption, unsigned type)
{
    return Answer({text, caption, type, true});
}

void FakeRecordingWindow::ClearDeviceList()
{
    std::lock_guard lock(mutex);
    m_devices.clear();
    m_device = -1;
}

void FakeRecordingWindow::AddDevice(const QString &name, const DeviceInfo *device)
{
    std::lock_guard lock(mutex);
    m_devices.emplace_back(name, device);
}

void FakeRecordingWindow::SelectDevice(int index)
{
    std::lock_guard lock(mutex);
    m_device = index >= 0 && index < static_cast<int>(m_devices.size()) ? index : -1;
}

const DeviceInfo *FakeRecordingWindow::SelectedDevice() const
{
    std::lock_guard lock(mutex);
    return m_device >= 0 ? m_devices[static_cast<size_t>(m_device)].second : nullptr;
}

QString FakeRecordingWindow::SelectedDeviceText() const
{
    std::lock_guard lock(mutex);
    return m_device >= 0 ? m_devices[static_cast<size_t>(m_device)].first : QString();
}

void FakeRecordingWindow::ClearSpeedList()
{
    std::lock_guard lock(mutex);
    m_speeds.clear();
    m_speed = -1;
}

void FakeRecordingWindow::AddSpeed(const QString &text)
{
    std::lock_guard lock(mutex);
    m_speeds << text;
}

void FakeRecordingWindow::EnableSpeedList(bool enable)
{
    std::lock_guard lock(mutex);
    speedListEnabled = enable;
}

void FakeRecordingWindow::SelectSpeed(int index)
{
    std::lock_guard lock(mutex);
    m_speed = index >= 0 && index < m_speeds.size() ? index : -1;
}

int FakeRecordingWindow::SelectedSpeed() const
{
    std::lock_guard lock(mutex);
    return m_speed;
}

void FakeRecordingWindow::EnableBusyUi(AbortButton abort)
{
    const bool abortUsable = abort == AbortButton::Enabled;
    std::lock_guard lock(mutex);
    busy = true;
    abortEnabled = abortUsable;
    progressLow = 0;
    progressHigh = 100;
    m_events << QStringLiteral("EnableBusyUi(%1)").arg(abortUsable ? 1 : 0);
}

void FakeRecordingWindow::RestoreIdleUi()
{
    std::lock_guard lock(mutex);
    busy = false;
    abortEnabled = false;
    progressPos = 0;
    m_events << QStringLiteral("RestoreIdleUi");
}

void FakeRecordingWindow::EnableAbort(bool enable)
{
    std::lock_guard lock(mutex);
    abortEnabled = enable;
    m_events << QStringLiteral("EnableAbort(%1)").arg(enable ? 1 : 0);
}

void FakeRecordingWindow::SetProgressRange(int low, int high)
{
    std::lock_guard lock(mutex);
    progressLow = low;
    progressHigh = high;
}

void FakeRecordingWindow::SetProgressPos(int position)
{
    std::lock_guard lock(mutex);
    progressPos = position;
    progressPositions.push_back(position);
}

void FakeRecordingWindow::SetPercentText(const QString &text)
{
    std::lock_guard lock(mutex);
    percentText = text;
    percentTexts << text;
}

void FakeRecordingWindow::SetTimeLeftText(const QString &text)
{
    std::lock_guard lock(mutex);
    timeLeftText = text;
    timeLeftTexts << text;
}

void FakeRecordingWindow::SetTimeTotalText(const QString &text)
{
    std::lock_guard lock(mutex);
    timeTotalText = text;
}

void FakeRecordingWindow::SetWindowTitleText(const QString &title)
{
    std::lock_guard lock(mutex);
    titleText = title;
    titles << title;
}

void FakeRecordingWindow::UpdateData(bool saveAndValidate)
{
    std::lock_guard lock(mutex);
    if (saveAndValidate)
        m_nSpeedIndex = m_speed;
    m_events << QStringLiteral("UpdateData(%1)").arg(saveAndValidate ? 1 : 0);
}

void FakeRecordingWindow::EndDialog(int result)
{
    std::lock_guard lock(mutex);
    ended = true;
    endDialogResult = result;
}

std::optional<QString> FakeRecordingWindow::ChooseImageFile(const QString &proposedName)
{
    std::function<std::optional<QString>(const QString &)> choose;
    {
        std::lock_guard lock(mutex);
        proposedImageName = proposedName;
        choose = chooseImage;
    }
    return choose ? choose(proposedName) : std::nullopt;
}

void FakeRecordingWindow::ApplyFsDefaults(int media)
{
    std::lock_guard lock(mutex);
    m_events << QStringLiteral("ApplyFsDefaults(%1)").arg(media);
}

void FakeRecordingWindow::CheckSourceSize()
{
    std::lock_guard lock(mutex);
    m_events << QStringLiteral("CheckSourceSize");
}

QStringList FakeRecordingWindow::Log() const
{
    std::lock_guard lock(mutex);
    return m_log;
}

QStringList FakeRecordingWindow::Events() const
{
    std::lock_guard lock(mutex);
    return m_events;
}

std::vector<FakeRecordingWindow::Box> FakeRecordingWindow::Boxes() const
{
    std::lock_guard lock(mutex);
    return m_boxes;
}

QStringList FakeRecordingWindow::Status() const
{
    std::lock_guard lock(mutex);
    return m_status;
}

QStringList FakeRecordingWindow::DeviceNames() const
{
    std::lock_guard lock(mutex);
    QStringList names;
    for (const auto &entry : m_devices)
        names << entry.first;
    return names;
}

QStringList FakeRecordingWindow::Speeds() const
{
    std::lock_guard lock(mutex);
    return m_speeds;
}
