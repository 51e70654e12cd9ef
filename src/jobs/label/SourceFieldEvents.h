#pragma once

#include <QString>
#include <QStringList>

class IJobWindow;
struct SourceFieldPorts;
class IVolumeNames;

// The main window's operations on the source folder and the volume label,
// free of any widget: the window's members of the same names call these.
// Members named like these hide them, so call them as ::OnDirectory(...).

// What the source field shows when the folder picker gave nothing.
inline constexpr char NoFolderText[] = "Can't get dir...";
// Picker flags: new dialog style, file-system folders and ancestors only.
inline constexpr unsigned FolderPickerFlags = 0x49;

// The Directory button: status texts around the folder picker; a picked
// path longer than one character is measured and gives the label; a cancel
// leaves NoFolderText in the source field.
void OnDirectory(IJobWindow &window, const SourceFieldPorts &host);

// The "DVD Root" field lost the focus: a changed text (compared exactly) is
// measured and gives the label.
void OnSourceFieldLeft(const SourceFieldPorts &host);

// The "Volume" field lost the focus: its text is cleaned in place and the
// counter refreshed.
void OnVolumeFieldLeft(IJobWindow &window, const SourceFieldPorts &host);

// Items dropped on the window: exactly one becomes the source folder (it is
// not checked to be a folder) and names the label; several change nothing.
void OnItemsDropped(const QStringList &paths, IJobWindow &window, const SourceFieldPorts &host);

// SetLabelFromFolder: the label from path (LabelFromFolder), shown, and the
// counter refreshed.
void SetLabelFromFolder(const QString &path, IJobWindow &window, const SourceFieldPorts &host,
                        const IVolumeNames &volumes);

// ShowLabelRoom: the counter from the label as the field holds it.
void ShowLabelRoom(const SourceFieldPorts &host);

// ValidateVolumeLabel for the burn run: 0 with the cleaned label shown, or
// -1 after the error box and log line.
int ValidateVolumeLabel(IJobWindow &window, const SourceFieldPorts &host);
