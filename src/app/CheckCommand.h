#pragma once

#include <QStringList>

#include <optional>

// --check -d <folder>: the DVD-Video check of the folder alone, its report on
// standard output. No recorder is opened, no window shown, no settings read
// (so the check leaves out the fit and the file system settings). Texts come
// from the built-in English file.
//
// --check -i <image>: the checks a burn of the image file makes before the
// disc is changed (the file, its structure as warnings, the DVD-Video check
// of the image), then its SHA-256; -i with -d is refused.
//
// The exit status when the arguments ask for the check: 0 without an error
// finding, 7 with one or an image file that cannot be burned
// (runexit::CompilationFailed), 2 when -d (-i) or its folder (image)
// is missing or another token is not understood, 1 when standard output
// cannot be written. A non-zero status other than 1 ends with its reason line
// on standard error, as a burn run's does; -q leaves that line alone.
// Nothing when the arguments do not ask for the check.
std::optional<int> RunCheckCommand(const QStringList &arguments);

// Flushes standard output and answers whether all that was written to it
// arrived; when not, says so on standard error. A report that went nowhere
// (a full disk, a closed pipe) must not end with status 0.
bool StandardOutputWritten();
