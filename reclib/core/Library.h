#pragma once

#include "burn/Libburn.h"
#include "core/BlockRegistry.h"
#include "core/DeviceHandles.h"
#include "core/ErrorLog.h"
#include "reclib_api.h"
#include "recorders/StateFolderChoice.h"

#include <memory>
#include <mutex>
#include <string>

namespace reclib {

// The library's process-wide state between NeroInit and NeroDone: the
// program's callbacks, the open recorders, the blocks handed out, the
// error log and libburn.
class Library
{
public:
    static Library &instance();

    BlockRegistry &blocks() { return m_blocks; }
    ErrorLog &errors() { return m_errors; }
    DeviceHandles &handles() { return m_handles; }

    // Keeps a copy of the callbacks; 0 on success, 1 for a null record.
    int init(const RecLibSettings *settings);
    // Closes every recorder, stops libburn, forgets the callbacks.
    int done();
    RecLibSettings settings() const;

    // libburn, started on first use; false (with a logged reason) when it
    // cannot start.
    bool libburnReady();

    // The folder NeroAPI.so was loaded from.
    static std::string folder();
    // Where the virtual-recorder configuration and media live for the
    // calling user (StateFolderChoice.h): the library folder unless it
    // cannot be written.
    static StateFolderChoice stateFolders();

private:
    Library() = default;

    mutable std::mutex m_mutex;
    RecLibSettings m_settings{};
    std::unique_ptr<Libburn> m_libburn;
    BlockRegistry m_blocks;
    ErrorLog m_errors;
    DeviceHandles m_handles;
};

} // namespace reclib
