#pragma once

#include "core/ErrorLog.h"
#include "core/Recorder.h"
#include "recorders/RecorderEntry.h"
#include "recorders/StateFolderChoice.h"

#include <memory>
#include <string>
#include <vector>

namespace reclib {

// Every recorder the library offers, in the order the device list shows
// them: the real drives libburn finds, the virtual recorders of the
// configuration file (in folders.config; their relative medium files are
// below folders.data), then the "Image Recorder".
class RecorderCatalog
{
public:
    RecorderCatalog(StateFolderChoice folders, ErrorLog &errors)
        : m_folders(std::move(folders)), m_errors(errors)
    {
    }

    // The recorders whose media set shares a bit with mediaSet (all for 0).
    // Each problem of the configuration file goes to the error log, with
    // the file and its line.
    std::vector<RecorderEntry> list(uint32_t mediaSet, bool withDrives) const;

    // The recorder a device record from list() describes, ready to use;
    // null (with the reason logged) when it is gone.
    std::unique_ptr<Recorder> open(const DeviceInfo &device) const;

private:
    // The list reports the configuration's problems; opening one recorder
    // does not repeat them.
    enum class Problems { Report, Quiet };
    std::vector<RecorderEntry> virtualRecorders(Problems problems) const;

    StateFolderChoice m_folders;
    ErrorLog &m_errors;
};

} // namespace reclib
