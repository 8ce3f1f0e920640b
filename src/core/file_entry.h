// One file found by a folder scan, and the list of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

inline constexpr std::int32_t kTotalUnknown = -1;  // not an unfinished download, or size not known
inline constexpr std::int32_t kTotalDummy = -2;    // the file is a dummy file

struct FileEntry {
    std::wstring Name;                       // file name on disk, without folder
    std::int64_t Size = 0;                   // current length in bytes (0 when unreadable)
    std::int32_t TotalSize = kTotalUnknown;  // full size of an unfinished download
    double Modified = 0;                     // time of last change: days since 1899-12-30, local time
    std::wstring User;                       // the user a download comes from (client's list file)
    bool DummyFlag = false;                  // a 40-byte dummy file
};

// The files of the folder last scanned, in the order the file system gave
// them; empty for an empty folder.
using FileEntryList = std::vector<FileEntry>;

}  // namespace orvane
