#pragma once

#include "api/ErrorLog.h"
#include "api/Recorder.h"
#include "recorders/RecorderEntry.h"

#include <memory>
#include <string>
#include <vector>

namespace reclib {

// Every recorder the library offers, in the order the device list shows
// them: the real drives libburn finds, the virtual recorders of the
// configuration file in the library's folder, then the "Image Recorder".
class RecorderCatalog {
public:
    // libburnReady: whether real drives can be looked for.
    RecorderCatalog(std::string libraryFolder, ErrorLog &errors) : m_folder(std::move(libraryFolder)), m_errors(errors) {}

    // The recorders whose media set shares a bit with mediaSet (all for 0).
    std::vector<RecorderEntry> list(uint32_t mediaSet, bool withDrives) const;

    // The recorder a device record from list() describes, ready to use;
    // null (with the reason logged) when it is gone.
    std::unique_ptr<Recorder> open(const DeviceInfo &device) const;

private:
    std::vector<RecorderEntry> virtualRecorders() const;

    std::string m_folder;
    ErrorLog &m_errors;
};

} // namespace reclib
