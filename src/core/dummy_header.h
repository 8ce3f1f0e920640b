// Dummy files: 40-byte placeholders that begin with "*PLH" and record the
// size of the file they stand for.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr std::int64_t kDummyFileSize = 40;

struct DummyHeader {
    std::int32_t sourceSize = 0;  // the eight hexadecimal digits at offset 8
    unsigned prefixLength = 0;    // byte 34: characters of the name prefix
    bool hasSizeSuffix = false;   // byte 35 == 1: the name carries a "(" size suffix
};

// The header of a dummy file, or nothing when the bytes are not exactly 40,
// do not begin with "*PLH", or the digits are not eight hexadecimal digits
// standing for less than 2 GB.
std::optional<DummyHeader> ParseDummyHeader(std::span<const unsigned char> bytes);

// The name as the list shows it: without its first prefixLength characters
// unless showPrefix; without everything from its last "(" on when the header
// marks a suffix, unless showSizeSuffix (a name without "(" stays as it is).
std::wstring DummyDisplayName(std::wstring_view name, const DummyHeader& header, bool showPrefix, bool showSizeSuffix);

}  // namespace orvane
