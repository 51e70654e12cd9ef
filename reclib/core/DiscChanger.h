#pragma once

#include "recorders/MediumState.h"

#include <string>

namespace reclib {

// The disc changer of a virtual recorder, so that a run of several copies
// (or a person trying one) can change discs without touching the recorder's
// files: the changer's folder holds the discs waiting to go in, each a
// medium file with an optional "<file>.state" beside it (an empty file
// without one is a blank disc of the configured kind). An eject moves the
// disc in the tray, with its state, into "ejected/" in the folder as
// "disc-1.iso", "disc-2.iso" ... in the order they came out, and puts the
// first waiting disc (by name) in; a look at an empty tray puts one in as
// soon as one is waiting. Assumes the recorder's lock is held.
class DiscChanger
{
public:
    DiscChanger(std::string folder, std::string mediumPath)
        : m_folder(std::move(folder)), m_medium(std::move(mediumPath))
    {
    }

    // Takes out the disc the tray holds (state as loaded) and loads the
    // next; false with the reason when the disc could not be taken out.
    bool eject(const MediumState &state, std::string &why) const;
    // The tray is empty (state): the first waiting disc goes in. True when
    // one did.
    bool loadWaiting(const MediumState &state) const;

private:
    std::string m_folder;
    std::string m_medium;
};

} // namespace reclib
