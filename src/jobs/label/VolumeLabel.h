#pragma once

#include <QString>

class IJobWindow;

// The volume label rules: what a folder name becomes on the disc and which
// labels a burn refuses. Lengths count characters (code points), not bytes.

// The label holds at most 16 characters with the short-label option, else 32.
int VolumeLabelLimit(bool shortLabels);

// The characters a label may hold.
inline constexpr char AllowedLabelCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789";

// Cleans a text into a label: upper case, blanks and the separators
// - . + & as underscores, the umlauts and sharp s spelled out, brackets and
// other punctuation that can never stand in a label removed, "NO_NAME" for
// a text that is too short, holds a drive colon or ends up empty. A label
// longer than limit is cut to limit characters after an information box.
// Characters the rules do not mention pass unchanged: ValidateVolumeLabel
// refuses them.
QString NormalizeVolumeLabel(const QString &text, int limit, IJobWindow &window);

// Normalizes volume in place and checks it: 0 when every character is
// allowed; -1 after an error box and a log line naming the first character
// that is not (the whole character, even one outside the basic plane).
int ValidateVolumeLabel(QString &volume, int limit, IJobWindow &window);

// How many characters the label may still grow by, as the counter beside the
// Volume field shows it; negative when the label is too long.
QString LabelRoomText(const QString &volume, int limit);

// Number of characters (code points) of a text.
int CharacterCount(const QString &text);
