#pragma once

#include "jobs/ports/IBusyPort.h"
#include "jobs/ports/IJobWindow.h"
#include "jobs/ports/IProgressPort.h"
#include "jobs/ports/IQuestionPort.h"
#include "jobs/ports/IRecorderListPort.h"
#include "jobs/ports/ISetupWindowPort.h"
#include "jobs/ports/ISpeedListPort.h"
#include "jobs/ports/JobSettings.h"

// The window as the recording jobs reach it: one narrow port per concern.
// The main window hands its own ports in; tests hand in the recording
// doubles of tests/support. The ports outlive the jobs that hold them.
struct JobPorts
{
    IJobWindow &report;       // log, texts, status line, the window's own box
    IQuestionPort &questions; // the application box, the image file
    IProgressPort &progress;  // bar, percent, times, title
    IRecorderListPort &recorders;
    ISpeedListPort &speeds;
    IBusyPort &busy;
    ISetupWindowPort &setup;
    const ISettingsPort &settings;
};
