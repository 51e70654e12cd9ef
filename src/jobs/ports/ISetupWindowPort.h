#pragma once

// The window operations of other parts that the recording set-up runs in
// its order. GUI thread.
class ISetupWindowPort
{
public:
    virtual ~ISetupWindowPort() = default;

    // Ends the main window with this result (the recording library could
    // not be loaded).
    virtual void EndDialog(int result) = 0;
    // media 0 applies the Filesystem Flags dialog's DVD defaults, 1 its CD
    // ("cDVD") defaults.
    virtual void ApplyFsDefaults(int media) = 0;
    virtual void CheckSourceSize() = 0;
};
