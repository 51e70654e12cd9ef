#pragma once

#include "jobs/sound/ResultSound.h"

#include <cstdint>

// The settings a job works with, taken once when it starts: a change in a
// settings dialog during the job reaches the next one.
struct JobSettings
{
    uint32_t fsFlags = 0;
    uint32_t burnFlags = 0;
    uint32_t moreFlags = 0;
    jobs::SoundSettings sound;
    // The label limit of the short-label option (16 or 32).
    int labelLimit = 32;
    // The size limit (MB) the settings give the selected media type, which
    // the DVD-Video check measures the track against when the recorder
    // reports no free space; 0 when there is none.
    int64_t mediaLimitMb = 0;
    // How long a run of copies without a person waits for the next disc.
    int discChangeWaitSecs = 600;
};

// Where a job takes its settings from. Any thread.
class ISettingsPort
{
public:
    virtual ~ISettingsPort() = default;

    virtual JobSettings TakeJobSettings() const = 0;
};
