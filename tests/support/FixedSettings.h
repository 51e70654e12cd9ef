#pragma once

#include "jobs/ports/JobSettings.h"
#include "settings/SettingsFlags.h"

// The settings a test gives the jobs; set them before a job starts.
class FixedSettings : public ISettingsPort
{
public:
    FixedSettings() { settings.fsFlags = FS_UDF | FS_ISO9660; }
    JobSettings TakeJobSettings() const override { return settings; }

    JobSettings settings;
};
