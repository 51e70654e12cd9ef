#pragma once

// The application object: builds the main window, runs it and ends the
// process when the window closes.
class CBurnApp
{
public:
    // The process's exit status: 0 after a normal close, 1 when the window
    // ended because start-up failed.
    int Run(int argc, char **argv);
};
