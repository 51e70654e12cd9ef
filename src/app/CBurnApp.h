#pragma once

#include <QString>

// The application object: builds the main window, runs it and returns its result.
class CBurnApp
{
public:
    int Run(int argc, char **argv);
};
