#include "recorder/IsoTrackHandle.h"

#include "recorder/LibraryAdapters.h"

void IsoTrackDeleter::operator()(IsoTrack *track) const
{
    NeroFreeIsoTrack(track);
}
