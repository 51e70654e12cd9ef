#pragma once

// Powering the machine off after a burn.

#include <QString>
//
// The platform code says which family of systems the program runs on; this
// system belongs to none of the families the original codes name, so it is
// always 0. Powering off goes through systemd-logind's PowerOff method on the
// system bus.

// Asks logind to power the machine off. Answers empty when logind accepted
// the request, else the reason it was not (no system bus, no logind, no
// permission), in the bus's words. Never waits longer than a few seconds.
QString ShutdownWindows();
