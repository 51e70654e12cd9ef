#pragma once

// Powering the machine off after a burn.
//
// The platform code says which family of systems the program runs on; this
// system belongs to none of the families the original codes name, so it is
// always 0. Powering off goes through systemd-logind's PowerOff method on the
// system bus.

// Asks logind to power the machine off. Answers whether logind accepted the
// request; callers do not report a refusal (no logind, no permission), they
// close the program all the same. Never waits longer than a few seconds.
bool ShutdownWindows();
