#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Where a drive's disc is mounted, from the kernel's table of this
// process's mounts (/proc/self/mountinfo).
namespace desktop {

// The mount points in mountinfo text of the device major:minor, in the
// table's order, with the kernel's octal escapes ("\040" for a space)
// undone. Pure, so tests feed it tables.
QStringList MountPointsOf(const QByteArray &mountinfo, unsigned major, unsigned minor);

// The device node of a real drive's record ("drive:/dev/sr0" in the
// library's own text); empty for a virtual recorder or the image recorder.
QString DriveNodeOf(const QString &libraryText);

// The mount points of the disc in the drive at node, from this process's
// mount table; empty when nothing is mounted or the node is not a device.
QStringList DiscMountPoints(const QString &node);

} // namespace desktop
