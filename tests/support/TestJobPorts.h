#pragma once

#include "FixedSettings.h"
#include "RecordingBusy.h"
#include "RecordingJobWindow.h"
#include "RecordingLists.h"
#include "RecordingProgress.h"
#include "RecordingQuestions.h"
#include "RecordingSetupWindow.h"
#include "jobs/ports/JobPorts.h"

// One recording double for every port the jobs use; the window's own box
// and the application box share one BoxRecorder.
struct TestJobPorts
{
    RecordingJobWindow report;
    RecordingQuestions questions{report.boxes};
    RecordingProgress progress;
    RecordingRecorderList recorders;
    RecordingSpeedList speeds;
    RecordingBusy busy;
    RecordingSetupWindow setup;
    FixedSettings settings;

    JobPorts Ports() { return {report, questions, progress, recorders, speeds, busy, setup, settings}; }
};
