#include "core/dummy_header.h"

#include <cstddef>

#include "core/text.h"

namespace orvane {
namespace {

constexpr std::size_t kSizeDigitsOffset = 8;
constexpr std::size_t kSizeDigitsLength = 8;
constexpr std::size_t kPrefixLengthOffset = 34;
constexpr std::size_t kSuffixFlagOffset = 35;

}  // namespace

std::optional<DummyHeader> ParseDummyHeader(std::span<const unsigned char> bytes) {
    if (bytes.size() != static_cast<std::size_t>(kDummyFileSize)) return std::nullopt;
    if (bytes[0] != '*' || bytes[1] != 'P' || bytes[2] != 'L' || bytes[3] != 'H') return std::nullopt;

    std::uint32_t value = 0;
    for (std::size_t i = kSizeDigitsOffset; i < kSizeDigitsOffset + kSizeDigitsLength; ++i) {
        const int digit = HexDigitValue(bytes[i]);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    // A size of 2 GB or more does not fit the list's 32-bit sizes.
    if (value >= 0x80000000u) return std::nullopt;

    DummyHeader header;
    header.sourceSize = static_cast<std::int32_t>(value);
    header.prefixLength = bytes[kPrefixLengthOffset];
    header.hasSizeSuffix = bytes[kSuffixFlagOffset] == 1;
    return header;
}

std::wstring DummyDisplayName(std::wstring_view name, const DummyHeader& header, bool showPrefix, bool showSizeSuffix) {
    std::wstring_view shown = name;
    if (!showPrefix)
        shown = shown.size() <= header.prefixLength ? std::wstring_view() : shown.substr(header.prefixLength);
    if (header.hasSizeSuffix && !showSizeSuffix) {
        // The suffix runs to the end of the name, its extension included.
        const std::size_t paren = shown.rfind(L'(');
        if (paren != std::wstring_view::npos) shown = shown.substr(0, paren);
    }
    return std::wstring(shown);
}

}  // namespace orvane
