// File-system questions the windows ask, in the program's UTF-16 text.
#pragma once

#include <string>

namespace orvane {

// The folder of the running executable, ending in a backslash.
std::wstring ExecutableFolder();

bool FileExists(const std::wstring& path);    // a file or a folder of that name
bool FolderExists(const std::wstring& path);  // a folder only

}  // namespace orvane
