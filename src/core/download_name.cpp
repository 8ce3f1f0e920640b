#include "core/download_name.h"

#include <cstddef>

#include "core/text.h"
#include "core/file_entry.h"

namespace orvane {
namespace {

bool EndsWithMp3AnyCase(std::wstring_view name) {
    if (name.size() < 4) return false;
    const std::wstring_view tail = name.substr(name.size() - 4);
    return tail[0] == L'.' && (tail[1] == L'm' || tail[1] == L'M') && (tail[2] == L'p' || tail[2] == L'P') &&
           tail[3] == L'3';
}

}  // namespace

std::int32_t FullSizeFromName(std::wstring_view name) {
    if (!name.starts_with(kIncompletePrefix) || name.size() < 23) return kTotalUnknown;

    // d counts from 1 (0 = no "."): the digits stand at d - 8 .. d - 1.
    const std::size_t dot = name.rfind(L'.');
    std::ptrdiff_t d = dot == std::wstring_view::npos ? 0 : static_cast<std::ptrdiff_t>(dot) + 1;
    // The client puts 20 more characters between the size and ".mp3".
    if (EndsWithMp3AnyCase(name)) d -= 20;
    if (d - 8 < 1) return kTotalUnknown;

    std::uint32_t value = 0;
    for (std::ptrdiff_t i = d - 9; i < d - 1; ++i) {
        const int digit = HexDigitValue(name[static_cast<std::size_t>(i)]);
        if (digit < 0) return kTotalUnknown;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    // 2 GB or more does not fit the 32-bit full size.
    if (value >= 0x80000000u) return kTotalUnknown;
    return static_cast<std::int32_t>(value);
}

}  // namespace orvane
