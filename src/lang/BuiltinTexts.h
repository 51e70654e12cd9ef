#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The built-in texts: the shipped lang/english.lng, compiled into the program
// as a resource. They stand in for every text the current language file does
// not have, so a missing, broken or partial file still gives whole English
// messages, and English has one source: that file.
namespace builtin {

std::optional<QString> Text(std::uint32_t id);

} // namespace builtin
