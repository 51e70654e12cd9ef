#pragma once

#include "reclib_api.h"

#include <memory>

// Hands a track from NeroCreateIsoTrackEx back to the library through the
// NeroFreeIsoTrack adapter, which also undoes the wrapping for older
// library generations.
struct IsoTrackDeleter
{
    void operator()(IsoTrack *track) const;
};

// Owner of one ISO track. A track reads the tree it was made from, so its
// owner must go before the tree's.
using IsoTrackHandle = std::unique_ptr<IsoTrack, IsoTrackDeleter>;
