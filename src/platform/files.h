// Opening and reading whole files, in the program's UTF-16 paths.
#pragma once

#include <windows.h>

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

}  // namespace orvane
