// Reading a folder and the client's files from disk.
#pragma once

#include <optional>
#include <string>

#include "inventory/dummy_header.h"
#include "inventory/file_entry.h"

namespace orvane {

// A backslash between folder and name unless the folder ends with one.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// The plain files of a folder (read-only and archive files included; hidden
// and system files and sub-folders not), with size and time from the
// enumeration itself and the full size of unfinished downloads from their
// names. A missing or unreadable folder gives no entries.
FileEntryList ScanFolder(const std::wstring& folder);

// Completes the entries from the client's list file in the folder, when
// there is one (a hidden or system file counts as missing).
void ReadIncompleteList(const std::wstring& folder, FileEntryList& entries);

// The header of a 40-byte file, read without blocking the client (shared
// read, write and delete); nothing when it is no dummy file or unreadable.
std::optional<DummyHeader> ReadDummyHeader(const std::wstring& path);

// FILETIME ticks (UTC) as the local date-time in days since 1899-12-30.
double LocalDaysFromFileTime(unsigned long long utcTicks);

}  // namespace orvane
