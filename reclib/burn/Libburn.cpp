#include "burn/Libburn.h"

namespace reclib {

Libburn::Libburn()
{
    m_ok = burn::burn_initialize() == 1;
    if (m_ok) {
        // Keep libburn quiet on stderr; its reasons reach the error log instead.
        char queue[] = "SORRY";
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
    std::vector<std::string> messages;
    char minimum[] = "SORRY";
    char text[BURN_MSGS_MESSAGE_LEN];
    char severity[80];
    int code = 0;
    int osErrno = 0;
    while (burn::burn_msgs_obtain(minimum, &code, text, &osErrno, severity) > 0)
        messages.push_back(std::string("libburn: ") + text);
    return messages;
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

void GrabbedDrive::waitUntilBusy() const
{
    for (int tries = 0; tries < 300; ++tries) {
        if (burn::burn_drive_get_status(drive(), nullptr) != burn::BURN_DRIVE_IDLE)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

burn::burn_drive *GrabbedDrive::drive() const
{
    return m_info[0].drive;
}

} // namespace reclib
