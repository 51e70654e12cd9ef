#include "burn/Libburn.h"

#include <cstring>
#include <mutex>
#include <utility>

namespace reclib {
namespace {

// libburn's message queue is process-wide; every message passes through
// drainQueue, which keeps the ones worth reporting and counts write thread
// ends.
constexpr int WriteThreadEndedCode = 0x00020178;

struct MessageStore
{
    std::mutex mutex;
    std::vector<std::string> reportable;
    uint64_t writeThreadsEnded = 0;
};

MessageStore &store()
{
    static MessageStore messages;
    return messages;
}

int severityNumber(const char *name)
{
    std::string text = name;
    int number = 0;
    burn::burn_text_to_sev(text.data(), &number, 0);
    return number;
}

// Caller holds the store's mutex.
void drainQueue(MessageStore &messages)
{
    static const int reportFrom = severityNumber("SORRY");
    char minimum[] = "ALL";
    char text[BURN_MSGS_MESSAGE_LEN];
    char severity[80];
    int code = 0;
    int osErrno = 0;
    while (burn::burn_msgs_obtain(minimum, &code, text, &osErrno, severity) > 0) {
        if (code == WriteThreadEndedCode)
            ++messages.writeThreadsEnded;
        // libburn's text names the system call; the system's own words say why.
        if (severityNumber(severity) >= reportFrom)
            messages.reportable.push_back(
                std::string("libburn: ") + text +
                (osErrno > 0 ? " (" + std::string(std::strerror(osErrno)) + ")" : ""));
    }
}

} // namespace

Libburn::Libburn()
{
    m_ok = burn::burn_initialize() == 1;
    if (m_ok) {
        // Keep libburn quiet on stderr; its reasons reach the error log instead.
        // DEBUG is queued too: the end of a write thread is one of those.
        char queue[] = "DEBUG";
        char print[] = "NEVER";
        char prefix[] = "NeroAPI: ";
        burn::burn_msgs_set_severities(queue, print, prefix);
    }
}

Libburn::~Libburn()
{
    if (m_ok)
        burn::burn_finish();
}

std::vector<std::string> Libburn::takeMessages()
{
    MessageStore &messages = store();
    const std::lock_guard lock(messages.mutex);
    drainQueue(messages);
    return std::exchange(messages.reportable, {});
}

uint64_t Libburn::writeThreadsEnded()
{
    MessageStore &messages = store();
    const std::lock_guard lock(messages.mutex);
    drainQueue(messages);
    return messages.writeThreadsEnded;
}

bool Libburn::awaitWriteThreadEnd(uint64_t endedBefore, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (writeThreadsEnded() <= endedBefore) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // The message comes just before the thread takes itself off libburn's
    // job list; give it that moment.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

std::unique_ptr<GrabbedDrive> GrabbedDrive::grab(const std::string &address, std::string &error)
{
    burn::burn_drive_info *info = nullptr;
    std::string mutableAddress = address;
    if (burn::burn_drive_scan_and_grab(&info, mutableAddress.data(), 1) != 1 || info == nullptr) {
        error = "cannot open the drive \"" + address + "\"";
        for (const std::string &message : Libburn::takeMessages())
            error += "; " + message;
        return nullptr;
    }
    return std::unique_ptr<GrabbedDrive>(new GrabbedDrive(info));
}

GrabbedDrive::~GrabbedDrive()
{
    burn::burn_drive_release(drive(), m_eject ? 1 : 0);
    burn::burn_drive_info_free(m_info);
}

bool GrabbedDrive::waitUntilBusy(uint64_t endedBefore) const
{
    for (int tries = 0; tries < 300; ++tries) {
        if (burn::burn_drive_get_status(drive(), nullptr) != burn::BURN_DRIVE_IDLE)
            return true;
        if (endedBefore != UINT64_MAX && Libburn::writeThreadsEnded() > endedBefore)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

burn::burn_drive *GrabbedDrive::drive() const
{
    return m_info[0].drive;
}

} // namespace reclib
