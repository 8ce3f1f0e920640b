// Reading whole files, in the program's UTF-16 paths.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace orvane {

// The bytes from the file's position to its end, or as far as reading went.
std::string ReadWholeFile(HANDLE file);
// The whole file, opened for reading (others may read too); nothing when it
// cannot be opened.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

}  // namespace orvane
