// File-system questions the windows ask, in the program's UTF-16 text.
#pragma once

#include <string>

namespace orvane {

// The folder of the running executable, ending in a backslash.
std::wstring ExecutableFolder();

bool FileExists(const std::wstring& path);       // a file or a folder of that name
bool FolderExists(const std::wstring& path);     // a folder only
bool PlainFileExists(const std::wstring& path);  // a file, not a folder

// Whether two paths lie on one volume (a drive, a share), as the shell
// decides whether a drop moves or copies; false when either is unknown.
bool OnSameVolume(const std::wstring& a, const std::wstring& b);

// A backslash between folder and name unless the folder ends with one.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// The full "\\?\" path (or "\\?\UNC\" for a share) of a file in a folder, by
// which the file itself is opened: a plain path to "aux.mp3", "con" or
// "com1.txt" opens the device of that name, and one to "x." drops the dot.
std::wstring VerbatimPath(const std::wstring& folder, const std::wstring& name);

}  // namespace orvane
