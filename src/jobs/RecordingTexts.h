#pragma once

// Captions and fixed texts the jobs show.
namespace rec_caption {
inline constexpr const char *Error = "Error";
inline constexpr const char *Info = "Info";
inline constexpr const char *Information = "Information";
inline constexpr const char *JustInfo = "Just 4 Info";
inline constexpr const char *OverwriteRewritable = "Overwrite ReWriteable?!";
inline constexpr const char *EraseRewritable = "Erase ReWriteable";
inline constexpr const char *TimeoutError = "Timeout Error";
// Application message boxes carry the program's name.
inline constexpr const char *Application = "Orvane Burn";
} // namespace rec_caption
