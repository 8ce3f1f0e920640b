// Opening and reading whole files, in the program's UTF-16 paths.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/handles.h"

namespace orvane {

// Opens a file of a folder for reading by its VerbatimPath, sharing
// everything (the client may be writing it); nothing unless it is a file on
// disk, so that a name like a device's never opens the device. Where the
// open itself fails, GetLastError tells why.
UniqueFile OpenFoundFile(const std::wstring& folder, const std::wstring& name, DWORD flags);
// The same, given the verbatim path itself (a scan works out the folder's
// verbatim path once and adds each name to it).
UniqueFile OpenFoundFileAt(const std::wstring& verbatimPath, DWORD flags);

// The bytes from the file's position to its end, or as far as reading went.
std::string ReadWholeFile(HANDLE file);
// The whole file, opened for reading (others may read too); nothing when it
// cannot be opened.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

// What tells a file's contents changed: its size and its time of last change.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the plain file at a full path (asked by its verbatim path,
// so that a name ending in a dot is that file); nothing for no such file.
std::optional<FileStamp> StampOf(const std::wstring& path);

// Renames name to newName in folder; the file is found by its name as
// written. newName as written too when exact, else as a typed name reaches it
// (trailing dots and blanks dropped). A change of letter case goes through a
// passing name: some file systems take a rename onto the same file, letter
// case aside, as done without changing anything.
bool RenameInFolder(const std::wstring& folder, const std::wstring& name, const std::wstring& newName, bool exact);

}  // namespace orvane
