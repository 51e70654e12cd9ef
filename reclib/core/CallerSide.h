#pragma once

#include "burn/JobChannel.h"
#include "core/ErrorLog.h"
#include "reclib_api.h"

#include <string>

namespace reclib {

// The program's callbacks as one call into the library sees them. Used
// only on the thread that made the call: that is where the program expects
// every callback.
class CallerSide
{
public:
    CallerSide(const RecLibSettings &settings, const RecProgress *progress, ErrorLog &errors)
        : m_settings(settings), m_progress(progress), m_errors(errors)
    {
    }

    int userDialog(int type, void *data) const;
    // Errors and warnings also land in the error log.
    void log(int textType, const std::string &text) const;
    void phase(const std::string &text) const;

    // One turn of the polling loop while a worker runs: hands over the
    // worker's messages, then calls idle, progress and abort. True when the
    // program asks to stop.
    bool poll(JobChannel &channel) const;
    // The same with only the idle callback (calls that have no progress record).
    bool pollIdle(JobChannel &channel) const;

private:
    void deliver(JobChannel &channel) const;

    RecLibSettings m_settings;
    const RecProgress *m_progress;
    ErrorLog &m_errors;
};

} // namespace reclib
