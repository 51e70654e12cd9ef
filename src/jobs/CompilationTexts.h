#pragma once

// Language texts of the compilation build, by number.
namespace compilation_text {

enum : int {
    OutOfMemory = 614,
    VideoTsIfoMissing = 616,
    VideoTsBupMissing = 618,
    BuildStarted = 682,
    VideoTsFolderFound = 684,
    VideoTsFolderMissing = 686,
    AudioTsFolderFound = 688,
    AudioTsFolderMissing = 690,
    JacketFolderFound = 692,
    AddingVideoTsFiles = 694,
    VideoTsVobMissing = 696,
    AddingJacketPictures = 698,
    StatusBuilding = 771,
    SourceFolderIs = 772,
    StatusBuilt = 773,
    StatusBuildFailed = 774,
    AddingFolder = 775,
    // Each of these is followed in its log line by a blank and the quoted
    // name or path it is about.
    NameTooLong = 940,       // does not fit the 255-byte record; the build stops
    FolderUnreadable = 941,  // a folder of the source cannot be read; the build stops
    FolderLinkSkipped = 942, // a link to a folder is left off the disc
    NameNotUtf8 = 943,       // a name that is not UTF-8; the build stops
};

} // namespace compilation_text
