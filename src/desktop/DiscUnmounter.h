#pragma once

#include <QString>

// Unmounts a disc the desktop mounted, through UDisks2 on the system bus
// (the desktop's own mount service, so its file manager sees the disc go).
namespace desktop {

struct UnmountResult
{
    bool unmounted = false;
    QString problem; // UDisks2's or the bus's words when not unmounted
};

// node: the drive's device node (/dev/sr0, or a link to it). Waits at most
// two seconds for UDisks2.
UnmountResult UnmountDisc(const QString &node);

} // namespace desktop
