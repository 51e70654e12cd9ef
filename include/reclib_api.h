/*
 * The contract between Orvane Burn and its recording library (NeroAPI.so).
 *
 * Both sides include this header; it is plain C and depends only on
 * <stdint.h> and <stddef.h> so that it compiles for 32- and 64-bit targets
 * alike. Field order and widths are fixed. A field that holds a pointer is
 * pointer-sized, so on 64-bit targets records holding pointers grow and the
 * fields after a pointer move; the static assertions at the end pin both
 * layouts.
 *
 * Ownership: every block the library hands out (lists, texts, the disc
 * information record, blocks from NeroCreateIsoItemOfSize) belongs to the
 * caller and is released with NeroFreeMem. The IsoItem tree belongs to the
 * program; the library only reads it while a track is being created and
 * keeps nothing pointing into it afterwards. A track belongs to the caller
 * until it is handed to NeroFreeIsoTrack.
 *
 * Threads: the library runs every callback on the thread that called into
 * it. A long call (NeroBurn, NeroEraseCDRW) does its work on a thread of its
 * own and polls on the caller's thread, calling the callbacks at least ten
 * times a second.
 */
#ifndef ORVANE_RECLIB_API_H
#define ORVANE_RECLIB_API_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------ */
/* The disc file tree                                                 */
/* ------------------------------------------------------------------ */

#define ISO_ITEM_NAME_SIZE 256
#define ISO_ITEM_PATH_SIZE 256

/* One entry of the disc's file system, allocated zero-filled. Names and
 * paths are UTF-8 and NUL-terminated. Siblings are linked in the order the
 * entries appear; a folder points to the head of its children. */
typedef struct IsoItem
{
    char name[ISO_ITEM_NAME_SIZE];
    int32_t directoryFlag;               /* 1 folder, 0 file */
    int32_t referenceFlag;               /* always 0 */
    char sourcePath[ISO_ITEM_PATH_SIZE]; /* file whose bytes are written; empty for folders */
    struct IsoItem *firstChild;
    struct IsoItem *nextSibling;
    uint8_t reserved[64]; /* the library's; the program leaves them zero */
} IsoItem;

/* ------------------------------------------------------------------ */
/* Recorders                                                          */
/* ------------------------------------------------------------------ */

#define SPEED_BLOCK_MAX 64

typedef struct SpeedBlock
{
    int32_t count;                      /* number of speeds, at most 64 */
    int32_t rate1x;                     /* data rate of 1x in kB/s */
    int32_t kBs[SPEED_BLOCK_MAX];       /* speeds in kB/s, first count used */
    int32_t multiples[SPEED_BLOCK_MAX]; /* the same as whole multiples of 1x */
    uint8_t reserved[128];
} SpeedBlock;

/* Media bits, as in media sets and in the disc information record. */
#define MEDIA_CD 0x1u
#define MEDIA_DVD_MINUS 0x4u                             /* DVD-R family */
#define MEDIA_DVD_PLUS 0x8u                              /* DVD+R family */
#define MEDIA_SET_DVD (MEDIA_DVD_MINUS | MEDIA_DVD_PLUS) /* 12 */
#define MEDIA_SET_CD MEDIA_CD                            /* 1 */
#define MEDIA_TYPE_DVD_RW 0x1004u                        /* media type of a DVD-RW in the disc information */
#define MEDIA_TYPE_DVD_PRW 0x4008u                       /* media type of a DVD+RW in the disc information */

#define DEVICE_TYPE_WRITER 1
#define DEVICE_CAP_WRITE 0x1u

#define DEVICE_NAME_SIZE 64

typedef struct DeviceInfo
{
    char name[DEVICE_NAME_SIZE]; /* shown in the Devices list */
    char shortText[8];           /* library's own */
    int32_t value72;             /* library's own (host adapter number) */
    int32_t value76;             /* library's own (target id) */
    int32_t deviceType;          /* 1 = recorder */
    char letter;                 /* library's own */
    int32_t capabilities;        /* bit 0: can write */
    SpeedBlock readSpeeds;
    SpeedBlock writeSpeeds;
    void *libPointer;  /* library's own */
    char libText[64];  /* library's own */
    int32_t value1456; /* library's own (device index) */
    uint32_t mediaSet; /* media bits the drive handles */
    uint8_t unused[256];
} DeviceInfo;

/* A count followed by that many records; released with NeroFreeMem. The
 * array really holds count records: allocate
 * offsetof(DeviceInfoList, devices) + count * sizeof(DeviceInfo) bytes. */
typedef struct DeviceInfoList
{
    int32_t count;
    DeviceInfo devices[1];
} DeviceInfoList;

/* Device record of library generations below 5555. */
#define LEGACY_SPEED_MAX 20
typedef struct LegacyDeviceInfo
{
    char name[32];
    char shortText[8];
    int32_t value72;
    int32_t value76;
    int32_t deviceType;
    char letter;
    int32_t capabilities;
    int32_t readSpeedCount;
    int32_t readSpeeds[LEGACY_SPEED_MAX]; /* multiples of 1x */
    int32_t writeSpeedCount;
    int32_t writeSpeeds[LEGACY_SPEED_MAX]; /* multiples of 1x */
    void *libPointer;
    char libText[32];
    int32_t value1456;
    uint8_t unused[92];
} LegacyDeviceInfo;

/* Same shape as DeviceInfoList: devices really holds count records. */
typedef struct LegacyDeviceInfoList
{
    int32_t count;
    LegacyDeviceInfo devices[1];
} LegacyDeviceInfoList;

/* An open recorder; opaque to the program. */
typedef struct RecDevice *RecDeviceHandle;

/* Disc information record returned by NeroGetCDInfo (released with
 * NeroFreeMem). The program reads mediumType, mediaType and contentCount;
 * the rest is the library's own description of the disc. */
#define MEDIUM_TYPE_NONE 0 /* no disc, or an image file */
#define MEDIUM_TYPE_CDR 1  /* write-once CD */
#define MEDIUM_TYPE_DVD 2  /* any DVD; mediaType tells which */
#define MEDIUM_TYPE_CDRW 3
typedef struct DiscInfo
{
    int32_t reserved0[2];
    int32_t mediumType; /* byte 8: 3 = rewritable CD */
    int32_t reserved1[35];
    uint32_t mediaType; /* byte 152: media bits of the disc (0x1004, 0x4008, ...) */
    int32_t reserved2[29];
    int32_t contentCount;    /* byte 272: 0 = the disc holds no data */
    int32_t capacitySectors; /* library's: sectors the blank medium holds */
    int32_t usedSectors;     /* library's: sectors written */
    int32_t bookType;        /* library's: 1 = DVD-ROM book type recorded */
    int32_t erasable;        /* library's: 1 = rewritable */
    char mediaName[32];      /* library's: "DVD+RW", ... */
} DiscInfo;

#define CDINFO_FLAGS_DEFAULT 3

/* ------------------------------------------------------------------ */
/* Callbacks and the records that carry them                          */
/* ------------------------------------------------------------------ */

/* Answer 1 to ask the library to abort, 0 to go on. */
typedef int (*RecIdleCallback)(void *context);
typedef int (*RecUserDialogCallback)(void *context, int dialogType, void *data);
typedef int (*RecProgressCallback)(void *context, int percent);
typedef int (*RecAbortCallback)(void *context);
/* textType: LOG_TEXT_INFO, LOG_TEXT_WARNING or LOG_TEXT_ERROR. */
typedef void (*RecLogLineCallback)(void *context, int textType, const char *text);
#define LOG_TEXT_INFO 0
#define LOG_TEXT_WARNING 1
#define LOG_TEXT_ERROR 2
/* After a burn that wrote the whole image (not simulated), NeroBurn logs
 * the SHA-256 of the image's sectors as written, hashed while they stream
 * to the recorder, as one LOG_TEXT_INFO line:
 *   SHA256_LOG_PREFIX <64 lower-case hex digits> " (" <sectors> " sectors)"
 * It equals sha256sum of an image file of those sectors. (An addition of
 * this library's own.) */
#define SHA256_LOG_PREFIX "SHA-256 of the image as written: "
typedef void (*RecPhaseCallback)(void *context, const char *text);

/* Library settings record handed to NeroInit; the library keeps a copy of
 * the callbacks until NeroDone. */
typedef struct RecLibSettings
{
    const char *filesFolder;  /* "NeroFiles" */
    const char *vendor;       /* "ahead" */
    const char *software;     /* "Nero - Burning Rom" */
    const char *languageFile; /* "Nero.txt" */
    RecIdleCallback idleCallback;
    void *idleContext;
    RecUserDialogCallback userDialogCallback;
    void *userDialogContext;
    void *reserved[2];
} RecLibSettings;

/* Progress record handed to NeroBurn. */
typedef struct RecProgress
{
    RecProgressCallback progressCallback;
    RecAbortCallback abortCallback;
    RecLogLineCallback logLineCallback;
    RecPhaseCallback phaseCallback;
    void *context;
    void *reserved[3];
} RecProgress;

/* User-dialog types the library raises. */
#define DLG_WAITCD 15               /* no disc; data is the wait reason (int, cast) */
#define DLG_IMAGE_FILENAME 20       /* data is char[IMAGE_PATH_BUFFER_SIZE] to fill */
#define DLG_NON_EMPTY_REWRITABLE 22 /* answer 5 to overwrite, 0 to stop */
/* A dual-layer disc whose layer break falls inside a scene; data is the
 * warning (const char *, UTF-8). Answer 5 to burn with it, 0 to stop. */
#define DLG_LAYER_BREAK_MID_SCENE 23
#define IMAGE_PATH_BUFFER_SIZE 1024

/* Wait reasons for DLG_WAITCD, texts from NeroGetLocalizedWaitCDTexts. */
#define WAIT_REASON_INSERT_MEDIUM 1
#define WAIT_REASON_WRONG_MEDIUM 2

/* ------------------------------------------------------------------ */
/* Tracks                                                             */
/* ------------------------------------------------------------------ */

#define SECTOR_SIZE 2048

/* ISO track flags (the program's FSFlags word). */
#define ISO_TRACK_JOLIET 0x01u
#define ISO_TRACK_MODE2 0x02u
#define ISO_TRACK_ISO9660 0x08u
#define ISO_TRACK_UDF 0x10u
#define ISO_TRACK_REALLOC 0x40u

typedef struct IsoTrack IsoTrack;
typedef struct LegacyIsoTrack LegacyIsoTrack;

/*
 * Current track interface: 30 slots called by number. Slots 0 to 20 are
 * the base part, 21 to 29 the track's own. Slots marked "default" answer
 * as noted and touch nothing else.
 */
typedef struct IsoTrackVtbl
{
    /* 0: destroys the track; frees its memory when deleteFlag is nonzero */
    void (*destroy)(IsoTrack *self, int deleteFlag);
    /* 1: bytes per block of the stream (2048) */
    int32_t (*blockSize)(IsoTrack *self);
    /* 2: size of the whole image in blocks, known before any byte is produced */
    int64_t (*sizeInBlocks)(IsoTrack *self);
    /* 3: opens the stream at block 0; 0 on success, -1 on failure */
    int32_t (*openStream)(IsoTrack *self);
    /* 4: writes up to maxBlocks blocks into buffer; the number written,
     *    0 at the end, -1 on failure (the reason in slot 11) */
    int32_t (*readBlocks)(IsoTrack *self, void *buffer, uint32_t maxBlocks);
    int32_t (*reserved5)(IsoTrack *self);                        /* default 0 */
    int32_t (*reserved6)(IsoTrack *self);                        /* default 0 */
    int32_t (*reserved7)(IsoTrack *self, void *arg);             /* default 0 */
    int32_t (*reserved8)(IsoTrack *self);                        /* default 0 */
    void (*reserved9)(IsoTrack *self, uint32_t *a, uint32_t *b); /* default: both 0 */
    /* 10: closes the stream and its source files */
    void (*closeStream)(IsoTrack *self);
    /* 11: text of the last failure or null; owned by the track */
    const char *(*lastError)(IsoTrack *self);
    int32_t (*reserved12)(IsoTrack *self); /* default 0 */
    int32_t (*reserved13)(IsoTrack *self); /* 13 to 20: default 0 */
    int32_t (*reserved14)(IsoTrack *self);
    int32_t (*reserved15)(IsoTrack *self);
    int32_t (*reserved16)(IsoTrack *self);
    int32_t (*reserved17)(IsoTrack *self);
    int32_t (*reserved18)(IsoTrack *self);
    int32_t (*reserved19)(IsoTrack *self);
    int32_t (*reserved20)(IsoTrack *self);
    /* 21: the ISO track flags the track was created with */
    uint32_t (*fsFlags)(IsoTrack *self);
    /* 22: the volume label */
    const char *(*volumeLabel)(IsoTrack *self);
    /* 23: 1 when reallocation was asked for and the IFO structure could not
     *     be understood (a burn then fails with result 3) */
    int32_t (*reallocFailed)(IsoTrack *self);
    /* 24: a warning about the DVD-Video placement, or null */
    const char *(*placementWarning)(IsoTrack *self);
    /* 25: number of files in the image */
    int32_t (*fileCount)(IsoTrack *self);
    /* 26: 1 when the ISO 9660 volume is marked CD-ROM XA (Mode 2) */
    int32_t (*isMode2)(IsoTrack *self);
    /* 27: text of a failure found while the layout was computed, or null */
    const char *(*layoutError)(IsoTrack *self);
    int32_t (*reserved28)(IsoTrack *self); /* default 0 */
    void (*reserved29)(IsoTrack *self, uint32_t *a, uint32_t *b, uint32_t *c, uint32_t *d, uint32_t *e,
                       uint32_t *f, uint32_t *g, uint32_t *h); /* default: all eight 0 */
} IsoTrackVtbl;

struct IsoTrack
{
    const IsoTrackVtbl *vtbl;
};

/* Legacy track interface (libraries older than 5.5.9.16): 20 slots. Slots
 * 0 to 12 match current slots 0 to 12; slots 13 to 19 match current 21 to 27. */
typedef struct LegacyIsoTrackVtbl
{
    void (*destroy)(LegacyIsoTrack *self, int deleteFlag);
    int32_t (*blockSize)(LegacyIsoTrack *self);
    int64_t (*sizeInBlocks)(LegacyIsoTrack *self);
    int32_t (*openStream)(LegacyIsoTrack *self);
    int32_t (*readBlocks)(LegacyIsoTrack *self, void *buffer, uint32_t maxBlocks);
    int32_t (*reserved5)(LegacyIsoTrack *self);
    int32_t (*reserved6)(LegacyIsoTrack *self);
    int32_t (*reserved7)(LegacyIsoTrack *self, void *arg);
    int32_t (*reserved8)(LegacyIsoTrack *self);
    void (*reserved9)(LegacyIsoTrack *self, uint32_t *a, uint32_t *b);
    void (*closeStream)(LegacyIsoTrack *self);
    const char *(*lastError)(LegacyIsoTrack *self);
    int32_t (*reserved12)(LegacyIsoTrack *self);
    uint32_t (*fsFlags)(LegacyIsoTrack *self);
    const char *(*volumeLabel)(LegacyIsoTrack *self);
    int32_t (*reallocFailed)(LegacyIsoTrack *self);
    const char *(*placementWarning)(LegacyIsoTrack *self);
    int32_t (*fileCount)(LegacyIsoTrack *self);
    int32_t (*isMode2)(LegacyIsoTrack *self);
    const char *(*layoutError)(LegacyIsoTrack *self);
} LegacyIsoTrackVtbl;

struct LegacyIsoTrack
{
    const LegacyIsoTrackVtbl *vtbl;
};

/* ------------------------------------------------------------------ */
/* Burning                                                            */
/* ------------------------------------------------------------------ */

/* Write record for format 0 (an ISO track), zero-filled by the caller. */
#define WRITE_RECORD_TAIL 928
typedef struct WriteRecord
{
    int32_t reserved0[2];
    IsoTrack *track; /* byte 8 on 32-bit targets */
    int32_t reserved1[3];
    int32_t mediaType; /* 12 DVD, 1 CD */
    uint8_t reserved2[WRITE_RECORD_TAIL];
} WriteRecord;

/* Burn flags. NeroBurn clears the error log when it starts, so after a
 * burn NeroGetErrorLog holds that burn's failures only. The speed argument
 * is in kB/s with BURN_FLAG_SPEED_IN_KBS, else a multiple of 1x; 0 means
 * the fastest. A nonzero speed the recorder does not list fails the burn
 * with BURN_FAILED. A source file whose size or modification time is no
 * longer what it was when its track was created fails the burn with
 * BURN_FAILED and the error-log line "A source file changed while it was
 * being burned: <path>". BURN_FLAG_SIMULATE never changes the disc: a
 * written rewritable is simulated on as if blank, without user dialog 22.
 * The Image Recorder refuses a target another burn is writing (BURN_FAILED,
 * "The image file <path> is in use by another program"). */
#define BURN_FLAG_SIMULATE 0x2u
#define BURN_FLAG_WRITE 0x4u
#define BURN_FLAG_DAO 0x8u
#define BURN_FLAG_UNDERRUN_PROT 0x40u
#define BURN_FLAG_DETECT_NON_EMPTY_RW 0x100u
#define BURN_FLAG_NO_EJECT 0x200u
#define BURN_FLAG_VERIFY 0x400u
#define BURN_FLAG_SPEED_IN_KBS 0x800u
#define BURN_FLAG_DVDP_BURN_30MM_AT_LEAST 0x1000u /* DVD+R compatible close */
#define BURN_FLAG_BOOKTYPE_DVDROM 0x4000u

/* NeroBurn results. */
#define BURN_OK 0
#define BURN_UNKNOWN_CD_FORMAT 1
#define BURN_INVALID_DRIVE 2
#define BURN_FAILED 3
#define BURN_FUNCTION_NOT_ALLOWED 4
#define BURN_DRIVE_NOT_ALLOWED 5
#define BURN_USER_ABORT 6

/* Erase modes and NeroGetCDRWErasingTime errors. */
#define ERASE_MODE_FULL 0
#define ERASE_MODE_QUICK 1
#define ERASE_TIME_NO_DEVICE (-1)    /* no recorder, or the library is missing */
#define ERASE_TIME_NO_MEDIUM (-2)    /* no disc in the recorder */
#define ERASE_TIME_NOT_ERASABLE (-3) /* the disc cannot be erased */
/* NeroEraseCDRW clears the error log when it starts. It answers 0 when
 * the disc is blank afterwards, one of the three values above when it did
 * not start, or ERASE_FAILED when the recorder failed (the reason is in the
 * error log, "The erase failed: " and the cause). The idle callback's abort does not stop a drive's erase;
 * a paced virtual erase ends its wait and completes. */
#define ERASE_FAILED (-4)

/* NeroGetAPIVersion answers 6600 (6.6.0.0); NeroSetExpectedAPIVersion(Ex)
 * accepts any 6.x version up to that one. */
#define RECLIB_API_VERSION 6600u

/* ------------------------------------------------------------------ */
/* Exported functions (the only exports of NeroAPI.so)                */
/* ------------------------------------------------------------------ */

typedef unsigned int (*PFN_NeroGetAPIVersion)(void);
typedef int (*PFN_NeroGetAPIVersionEx)(uint16_t *major, uint16_t *minor, uint16_t *third, uint16_t *fourth,
                                       void *reserved);
typedef int (*PFN_NeroSetExpectedAPIVersion)(unsigned int version);
typedef int (*PFN_NeroSetExpectedAPIVersionEx)(uint16_t major, uint16_t minor, uint16_t third,
                                               uint16_t fourth, void *reserved);
typedef int (*PFN_NeroInit)(const RecLibSettings *settings, const char *reserved);
typedef int (*PFN_NeroDone)(void);
typedef void (*PFN_NeroClearErrors)(void);
typedef char *(*PFN_NeroGetErrorLog)(void);
typedef void (*PFN_NeroFreeMem)(void *block);
typedef void *(*PFN_NeroCreateIsoItemOfSize)(size_t size);
typedef DeviceInfoList *(*PFN_NeroGetAvailableDrivesEx)(uint32_t mediaSet, void *reserved);
/* Below 5555 the list returned is a LegacyDeviceInfoList. */
typedef void *(*PFN_NeroGetAvailableDrives)(void);
typedef char *(*PFN_NeroGetTypeNameOfMedia)(uint32_t mediaSet, const char *separator);
/* Below 5555 the record passed is a LegacyDeviceInfo. An open virtual
 * recorder belongs to its handle until NeroCloseDevice: another open of it,
 * by this program or another, answers null, and the error log then holds
 * the line 'The recorder "<name>" is in use by another program'. Opening
 * finishes or rolls back what a job killed on that recorder left behind. */
typedef RecDeviceHandle (*PFN_NeroOpenDevice)(const void *device);
typedef void (*PFN_NeroCloseDevice)(RecDeviceHandle device);
/* With a record, the error log may gain a line the program should show:
 * why a disc whose state cannot be read counts as used. Without one it
 * says why there is no record (no disc, a configuration that does not say
 * which disc a virtual recorder holds). */
typedef DiscInfo *(*PFN_NeroGetCDInfo)(RecDeviceHandle device, uint32_t flags);
typedef IsoTrack *(*PFN_NeroCreateIsoTrackEx)(IsoItem *root, const char *label, uint32_t flags);
/* An extension of this library (the exports otherwise burn only a
 * compilation): a track whose image is the file at path, burned as it is
 * with NeroBurn (format 0, like any ISO track) and freed with
 * NeroFreeIsoTrack. The file must be a regular, non-empty file of whole
 * 2048-byte sectors; its size when the track is made is the track's size.
 * Null otherwise, with the reason in the error log. Its label is empty and
 * it reports no files, flags or placement; verify compares the disc with
 * the file, and a file that ends early during the burn fails it, naming
 * the file. The Image Recorder takes it like any track. */
typedef IsoTrack *(*PFN_NeroCreateIsoTrackFromImage)(const char *path);
typedef void (*PFN_NeroFreeIsoTrack)(IsoTrack *track);
typedef int (*PFN_NeroBurn)(RecDeviceHandle device, int format, void *writeRecord, uint32_t flags,
                            uint32_t speedKBs, RecProgress *progress);
/* An extension of this library, for the step before anything changes the
 * disc (before NeroEraseCDRW and NeroBurn): BURN_OK when the recorder can
 * take the track's image as far as it can tell now, else BURN_FAILED with
 * the reason in the error log, or BURN_INVALID_DRIVE for an unknown
 * handle. A virtual recorder checks that its medium's folder has room for
 * the image and its state, naming the folder and both sizes ("Not enough
 * free space in <folder> for the disc image of <name>: it needs N bytes, F
 * are free"), and that neither its medium nor its state file is a folder.
 * The Image Recorder's target is named only in NeroBurn (user dialog 20):
 * NeroBurn checks its room then, before it writes a byte, and an image
 * file is never erased. A drive answers BURN_OK. With BURN_FLAG_SIMULATE
 * nothing is written: BURN_OK. */
typedef int (*PFN_NeroCheckTrackRoom)(RecDeviceHandle device, IsoTrack *track, uint32_t flags);
typedef int (*PFN_NeroEjectLoadCD)(RecDeviceHandle device, int eject);
typedef int (*PFN_NeroGetCDRWErasingTime)(RecDeviceHandle device, int mode);
typedef int (*PFN_NeroEraseCDRW)(RecDeviceHandle device, int mode);
typedef char *(*PFN_NeroGetLocalizedWaitCDTexts)(int waitType);

/* ------------------------------------------------------------------ */
/* Layout pins                                                        */
/* ------------------------------------------------------------------ */

#if defined(__cplusplus)
#define RECLIB_STATIC_ASSERT static_assert
#else
#define RECLIB_STATIC_ASSERT _Static_assert
#endif

#if UINTPTR_MAX == 0xFFFFFFFFu
RECLIB_STATIC_ASSERT(sizeof(IsoItem) == 592, "IsoItem size");
RECLIB_STATIC_ASSERT(offsetof(IsoItem, firstChild) == 520, "IsoItem.firstChild");
RECLIB_STATIC_ASSERT(offsetof(IsoItem, nextSibling) == 524, "IsoItem.nextSibling");
RECLIB_STATIC_ASSERT(offsetof(IsoItem, reserved) == 528, "IsoItem.reserved");
RECLIB_STATIC_ASSERT(sizeof(DeviceInfo) == 1720, "DeviceInfo size");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, libPointer) == 1388, "DeviceInfo.libPointer");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, libText) == 1392, "DeviceInfo.libText");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, value1456) == 1456, "DeviceInfo.value1456");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, mediaSet) == 1460, "DeviceInfo.mediaSet");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfoList, devices) == 4, "DeviceInfoList.devices");
RECLIB_STATIC_ASSERT(sizeof(LegacyDeviceInfo) == 360, "LegacyDeviceInfo size");
RECLIB_STATIC_ASSERT(offsetof(LegacyDeviceInfo, libPointer) == 228, "LegacyDeviceInfo.libPointer");
RECLIB_STATIC_ASSERT(offsetof(LegacyDeviceInfo, libText) == 232, "LegacyDeviceInfo.libText");
RECLIB_STATIC_ASSERT(offsetof(LegacyDeviceInfo, value1456) == 264, "LegacyDeviceInfo.value1456");
RECLIB_STATIC_ASSERT(sizeof(RecLibSettings) == 40, "RecLibSettings size");
RECLIB_STATIC_ASSERT(sizeof(RecProgress) == 32, "RecProgress size");
RECLIB_STATIC_ASSERT(sizeof(WriteRecord) == 956, "WriteRecord size");
RECLIB_STATIC_ASSERT(offsetof(WriteRecord, track) == 8, "WriteRecord.track");
RECLIB_STATIC_ASSERT(offsetof(WriteRecord, mediaType) == 24, "WriteRecord.mediaType");
RECLIB_STATIC_ASSERT(sizeof(IsoTrackVtbl) == 30 * 4, "current track interface: 30 slots");
RECLIB_STATIC_ASSERT(sizeof(LegacyIsoTrackVtbl) == 20 * 4, "legacy track interface: 20 slots");
#elif UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
RECLIB_STATIC_ASSERT(sizeof(IsoItem) == 600, "IsoItem size");
RECLIB_STATIC_ASSERT(offsetof(IsoItem, firstChild) == 520, "IsoItem.firstChild");
RECLIB_STATIC_ASSERT(offsetof(IsoItem, nextSibling) == 528, "IsoItem.nextSibling");
RECLIB_STATIC_ASSERT(offsetof(IsoItem, reserved) == 536, "IsoItem.reserved");
RECLIB_STATIC_ASSERT(sizeof(DeviceInfo) == 1728, "DeviceInfo size");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, libPointer) == 1392, "DeviceInfo.libPointer");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, libText) == 1400, "DeviceInfo.libText");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, value1456) == 1464, "DeviceInfo.value1456");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, mediaSet) == 1468, "DeviceInfo.mediaSet");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfoList, devices) == 8, "DeviceInfoList.devices");
RECLIB_STATIC_ASSERT(sizeof(LegacyDeviceInfo) == 368, "LegacyDeviceInfo size");
RECLIB_STATIC_ASSERT(offsetof(LegacyDeviceInfo, libPointer) == 232, "LegacyDeviceInfo.libPointer");
RECLIB_STATIC_ASSERT(offsetof(LegacyDeviceInfo, libText) == 240, "LegacyDeviceInfo.libText");
RECLIB_STATIC_ASSERT(offsetof(LegacyDeviceInfo, value1456) == 272, "LegacyDeviceInfo.value1456");
RECLIB_STATIC_ASSERT(sizeof(RecLibSettings) == 80, "RecLibSettings size");
RECLIB_STATIC_ASSERT(sizeof(RecProgress) == 64, "RecProgress size");
RECLIB_STATIC_ASSERT(sizeof(WriteRecord) == 960, "WriteRecord size");
RECLIB_STATIC_ASSERT(offsetof(WriteRecord, track) == 8, "WriteRecord.track");
RECLIB_STATIC_ASSERT(offsetof(WriteRecord, mediaType) == 28, "WriteRecord.mediaType");
RECLIB_STATIC_ASSERT(sizeof(IsoTrackVtbl) == 30 * 8, "current track interface: 30 slots");
RECLIB_STATIC_ASSERT(sizeof(LegacyIsoTrackVtbl) == 20 * 8, "legacy track interface: 20 slots");
#endif
/* Records without pointers are the same on every target. */
RECLIB_STATIC_ASSERT(sizeof(SpeedBlock) == 648, "SpeedBlock size");
RECLIB_STATIC_ASSERT(offsetof(SpeedBlock, multiples) == 264, "SpeedBlock.multiples");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, deviceType) == 80, "DeviceInfo.deviceType");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, letter) == 84, "DeviceInfo.letter");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, capabilities) == 88, "DeviceInfo.capabilities");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, readSpeeds) == 92, "DeviceInfo.readSpeeds");
RECLIB_STATIC_ASSERT(offsetof(DeviceInfo, writeSpeeds) == 740, "DeviceInfo.writeSpeeds");
RECLIB_STATIC_ASSERT(offsetof(LegacyDeviceInfo, writeSpeedCount) == 144, "LegacyDeviceInfo.writeSpeedCount");
RECLIB_STATIC_ASSERT(offsetof(DiscInfo, mediumType) == 8, "DiscInfo.mediumType");
RECLIB_STATIC_ASSERT(offsetof(DiscInfo, mediaType) == 152, "DiscInfo.mediaType");
RECLIB_STATIC_ASSERT(offsetof(DiscInfo, contentCount) == 272, "DiscInfo.contentCount");

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_RECLIB_API_H */
