#pragma once

#include "core/Library.h"
#include "reclib_api.h"

namespace reclib {

// NeroBurn: checks its arguments and the track, lets the recorder prepare
// (asking the program through user dialogs on this thread), then writes,
// verifies and completes on a worker while this thread polls the callbacks.
int runBurn(Library &library, RecDeviceHandle handle, int format, void *writeRecord, uint32_t flags,
            uint32_t speed, RecProgress *progress);

// NeroEraseCDRW: the erase on a worker while this thread calls idle.
int runErase(Library &library, RecDeviceHandle handle, int mode);

} // namespace reclib
