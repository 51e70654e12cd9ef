#pragma once

namespace sysio {

// The XDG base-folder rule the program and the recording library both keep:
// $XDG_CONFIG_HOME or $XDG_DATA_HOME counts when it names an absolute path
// that is a folder or does not exist yet; otherwise the default below HOME
// is used, and HOME counts only when it is an absolute path to an existing
// folder. Neither creates anything.

// Whether a variable's value names a base folder; false for a missing or
// empty value too.
bool usableXdgValue(const char *value);

// Whether HOME's value can hold the default base folders.
bool usableHome(const char *home);

} // namespace sysio
