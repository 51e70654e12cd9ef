#pragma once

// Whether a track adapter destroys the track it wraps when it is destroyed.
enum class TrackOwnership {
    Borrowed,
    Owned,
};
