#pragma once

#include "reclib_api.h"

#include <string>

// A track whose image is an existing file, burned as it is: an ISO 9660 /
// UDF image of whole 2048-byte sectors. The file is opened (O_NONBLOCK, so
// a FIFO cannot hang the caller) and checked to be a regular, non-empty
// file of whole sectors when the track is made; its size then is the
// track's size, and a file that ends early while it streams fails the read
// with a reason naming it. Null with why set when the file will not do.
IsoTrack *CreateImageFileTrack(const std::string &path, std::string &why);
