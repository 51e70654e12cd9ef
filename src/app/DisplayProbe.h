#pragma once

#include <QByteArray>

// Whether a display server answers, asked before Qt loads its platform
// plugin: the plugin ends the process when its server does not answer, so a
// start that can do without a window must know beforehand.

// An X server at display (a DISPLAY value) accepts a connection, with the
// authorisation Qt would use. False for an empty name.
bool XServerAnswers(const QByteArray &display);

// A Wayland compositor listens at name (a WAYLAND_DISPLAY value: a path, or a
// socket name in runtimeDir, XDG_RUNTIME_DIR). False for an empty name.
bool WaylandServerAnswers(const QByteArray &name, const QByteArray &runtimeDir);
