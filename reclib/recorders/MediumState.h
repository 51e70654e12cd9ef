#pragma once

#include "recorders/VirtualRecorderSettings.h"

#include <string>
#include <string_view>

namespace reclib {

// The state of a virtual recorder's disc, kept in a small text file beside
// the medium file ("<medium file>.state"). The medium file itself holds
// only the disc image from sector 0, so any ISO/UDF reader opens it.
struct MediumState
{
    MediumKind configured = MediumKind::None; // the configuration's medium this state started from
    MediumKind kind = MediumKind::None;       // the disc in the tray now
    bool blank = true;
    int32_t contentCount = 0; // tracks written; 0 when blank
    int64_t usedSectors = 0;
    bool dvdRomBookType = false;
    // Why the disc counts as used with unknown contents: its state file is
    // missing, cannot be read or is damaged while the medium file holds
    // data. Empty when the state is known.
    std::string doubt;
    // A dual-layer disc: the size of layer 0 the writer was given (the first
    // sector of layer 1); 0 when everything is on layer 0.
    int64_t layerBreak = 0;

    bool present() const { return kind != MediumKind::None; }

    // The disc the configuration puts in the recorder; a "written" one
    // counts the medium file's sectors.
    static MediumState initial(const VirtualRecorderSettings &spec, const std::string &mediumPath);

    // The saved state. One made for a different configured medium gives
    // the configuration's disc (the configuration changed the disc). One
    // that is missing, cannot be read or holds a damaged or out-of-range
    // value gives the configuration's disc too, unless the medium file
    // holds data: then that disc, used, its contents unknown (doubt says
    // why), so nothing overwrites it without the question.
    static MediumState load(const VirtualRecorderSettings &spec, const std::string &mediumPath);
    // The same from the state file's text, already read.
    static MediumState fromText(const VirtualRecorderSettings &spec, std::string_view text,
                                const std::string &mediumPath);

    // The state file's contents.
    std::string text() const;

    static std::string statePathFor(const std::string &mediumPath);
};

} // namespace reclib
