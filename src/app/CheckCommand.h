#pragma once

#include <QStringList>

#include <optional>

// --check -d <folder>: the DVD-Video check of the folder alone, its report on
// standard output. No recorder is opened, no window shown, no settings read
// (so the check leaves out the fit and the file system settings). Texts come
// from the built-in English file.
//
// The exit status when the arguments ask for the check: 0 without an error
// finding, 7 with one (runexit::CompilationFailed), 2 when -d or its folder
// is missing or another token is not understood. Nothing when they do not
// ask for it.
std::optional<int> RunCheckCommand(const QStringList &arguments);
