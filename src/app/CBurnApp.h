#pragma once

// The application object: builds the main window, runs it and ends the
// process when the window closes.
class CBurnApp
{
public:
    // The process's exit status (app/RunExitStatus.h): 1 when the window
    // ended because start-up failed, otherwise what the command-line run came
    // to (0 without one).
    int Run(int argc, char **argv);
};
