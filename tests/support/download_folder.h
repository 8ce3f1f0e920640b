// Builds download folders on disk for tests: files of given sizes and
// times, dummy files, the client's list file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace orvane::test {

// A file of the given size (sparse where large), optionally dated.
void MakeFile(const std::wstring& path, std::int64_t size, const SYSTEMTIME* localTime = nullptr);
// A 40-byte dummy file: "*PLH", the source size in hex, prefix length and suffix flag.
void MakeDummy(const std::wstring& path, std::uint32_t sourceSize, unsigned char prefixLength, bool sizeSuffix);
// Text in code page 932 with CR LF line ends.
void WriteAnsiText(const std::wstring& path, const std::wstring& text);

}  // namespace orvane::test
