// The client's names of unfinished downloads: "__INCOMPLETE___", then
// somewhere the full size as eight hexadecimal digits, standing right before
// the last "." — or, for ".mp3" names (any case), 20 characters further left.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvane {

inline constexpr std::wstring_view kIncompletePrefix = L"__INCOMPLETE___";

// The full size the name carries, or kTotalUnknown (-1) when the name is not
// an unfinished download's, the digits are missing or not hexadecimal, or
// the size is 2 GB (0x80000000) or more.
std::int32_t FullSizeFromName(std::wstring_view name);

}  // namespace orvane
