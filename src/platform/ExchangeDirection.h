#pragma once

// Which way a window's data exchange runs: the members into the controls,
// or what the controls hold into the members.
enum class Exchange {
    ToControls,   // members are shown in the controls
    FromControls, // control contents are taken into the members
};
