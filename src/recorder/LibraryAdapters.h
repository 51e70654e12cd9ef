#pragma once

#include "reclib_api.h"

#include <cstddef>
#include <cstdint>

// The program's only doorway to the recording library: one adapter per
// library function, named like the function it wraps. Each adapter looks its
// export up in g_hRecLib on every call (a reload needs no reset) and answers
// with the result noted below when no library is loaded or the library lacks
// that export. Otherwise arguments and results pass through unchanged,
// except where noted. The adapters keep no state and report nothing.
//
// Ownership follows the library's: texts, lists and records returned here
// belong to the caller, who releases them with NeroFreeMem; that includes the
// blocks the adapters make themselves (the converted drive list, the
// fallback media name). A track from NeroCreateIsoTrackEx belongs to the
// caller until it is handed to NeroFreeIsoTrack.
//
// Threads: callable from the user-interface thread and the job workers; the
// library is only loaded or unloaded while no job runs.

// The old single version number (5564 is 5.5.6.4); missing: 0.
unsigned int NeroGetAPIVersion();
// The four version components. Without the export the single number is split
// into its four decimal digits (1 returned); when that is 0 too, the answer
// is 0 and the components are left untouched.
int NeroGetAPIVersionEx(uint16_t *major, uint16_t *minor, uint16_t *third, uint16_t *fourth, void *reserved);
// Missing: 0 (the library is given up, see LoadRecordingLibrary).
int NeroSetExpectedAPIVersion(unsigned int version);
int NeroSetExpectedAPIVersionEx(uint16_t major, uint16_t minor, uint16_t third, uint16_t fourth,
                                void *reserved);

// 0 on success, the library's code otherwise; missing: 1.
int NeroInit(const RecLibSettings *settings, const char *reserved);
// Not called at all for the library versions 5564 to 5566, whose shutdown
// must be skipped; missing or skipped: 1.
int NeroDone();
void NeroClearErrors();
// Missing: null.
char *NeroGetErrorLog();
void NeroFreeMem(void *block);
// Missing: null.
void *NeroCreateIsoItemOfSize(std::size_t size);

// The recorders handling mediaSet. Without the export a CD request
// (mediaSet 1) is answered by NeroGetAvailableDrives and any other with null.
// With version 5564 the file DVDR.DLL in the library folder is renamed to
// DVDR._DLL for the duration of the call.
DeviceInfoList *NeroGetAvailableDrivesEx(uint32_t mediaSet, void *reserved);
// Below version 5555 the library's list is in the legacy layout; it is
// converted (and the library's own list released). Missing: null.
DeviceInfoList *NeroGetAvailableDrives();
// The media types of a media set as one text. Without the export: "CD-R/RW"
// in a block from NeroCreateIsoItemOfSize (null when that fails).
char *NeroGetTypeNameOfMedia(uint32_t mediaSet, const char *separator);

// Below version 5555 the device is handed over in the legacy layout.
// Missing: null.
RecDeviceHandle NeroOpenDevice(const DeviceInfo *device);
void NeroCloseDevice(RecDeviceHandle device);
// Missing: null.
DiscInfo *NeroGetCDInfo(RecDeviceHandle device, uint32_t flags);
// BURN_OK when the recorder can take the track's image (reclib_api.h).
int NeroCheckTrackRoom(RecDeviceHandle device, IsoTrack *track, uint32_t flags);

// With a library older than 5.5.9.16 the library's track is wrapped in an
// adapter presenting the current interface; a null track stays null.
// Missing: null.
IsoTrack *NeroCreateIsoTrackEx(IsoItem *root, const char *label, uint32_t flags);
// A track whose image is the file at path, burned as it is. Only this
// library's own generation has the export; missing: null.
IsoTrack *NeroCreateIsoTrackFromImage(const char *path);
// With a library older than 5.5.9.16 the write record's track is presented
// in the legacy interface for the duration of the call, and put back
// afterwards. Missing: 1.
int NeroBurn(RecDeviceHandle device, int format, void *writeRecord, uint32_t flags, uint32_t speedKBs,
             RecProgress *progress);
// Ends the track's life; with a library older than 5.5.9.16 the library
// receives it in the legacy interface.
void NeroFreeIsoTrack(IsoTrack *track);

// Missing: -1.
int NeroEjectLoadCD(RecDeviceHandle device, int eject);
// The estimated erase time in seconds or a negative error; missing: -1.
int NeroGetCDRWErasingTime(RecDeviceHandle device, int mode);
// Missing: -1.
int NeroEraseCDRW(RecDeviceHandle device, int mode);
// Missing: null.
char *NeroGetLocalizedWaitCDTexts(int waitType);
