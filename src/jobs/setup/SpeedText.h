#pragma once

#include <QString>

// Texts for write speeds given in kB/s with the recorder's 1x rate.
namespace jobs {

// An entry of the Write Speed list: "2.0x (300 kB/s)".
QString SpeedListEntry(int kBs, int rate1x);

// The speed in the burn log: "4.0x (600kB/s)".
QString SpeedLogText(int kBs, int rate1x);

} // namespace jobs
