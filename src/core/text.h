// Small text helpers shared by the parsers and the windows. Platform-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Splits text into lines at CR LF, LF or CR; no line keeps its line end, and
// a last line end opens no further, empty line.
std::vector<std::wstring> SplitLines(std::wstring_view text);
// The same over a file's bytes. CR and LF are never part of a double-byte
// character, so the bytes can be split before decoding.
std::vector<std::string_view> SplitByteLines(std::string_view bytes);

// Whitespace around a text removed (space and tab, as typed in a path).
std::wstring_view Trimmed(std::wstring_view text);

// The value of one hexadecimal digit (either case), or -1.
int HexDigitValue(char32_t c);

// Appends a backslash unless the text already ends with one.
std::wstring WithTrailingBackslash(std::wstring path);

// A file list for the shell: each path followed by a NUL, and one more NUL
// after the last (an empty list is the one NUL). The NULs are part of the
// string, so size() counts them.
std::wstring ShellFileList(const std::vector<std::wstring>& paths);

// Whether a plain path names the file of this name: a name that ends in "."
// or a blank is trimmed by every parser of plain paths (the shell's too), so
// that "x.txt." names "x.txt", and a device's name ("con", "aux.mp3",
// "com1.txt") names the device. Such a file can be reached only by its
// verbatim path, and the shell's file operations take none.
bool PlainPathNamesFile(std::wstring_view name);

}  // namespace orvane
