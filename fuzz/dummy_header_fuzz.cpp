// A 40-byte file of any content and any name: the display name is always a
// piece of the name, never longer than it. Input: two flag bytes, the header,
// then the name's UTF-16 code units. First flag byte: bit 0 shows the prefix,
// bit 1 the size suffix, bit 2 takes exactly 40 header bytes, otherwise bits
// 3-7 give the header's length. Second: bit 0 writes the signature and bit 1
// turns bytes 8-15 into hexadecimal digits, which the fuzzer would hardly
// guess byte by byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/dummy_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool showPrefix = data[0] & 1, showSizeSuffix = data[0] & 2;
    const std::size_t wanted = (data[0] & 4) ? 40 : static_cast<std::size_t>(data[0] >> 3) + 25;
    std::vector<unsigned char> bytes(data + 2, data + 2 + std::min(wanted, size - 2));
    if ((data[1] & 1) && bytes.size() >= 4) std::copy_n("*PLH", 4, bytes.begin());
    for (std::size_t i = 8; (data[1] & 2) && i < 16 && i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>("0123456789abcdefABCDEF"[bytes[i] % 22]);

    const auto parsed = orvane::ParseDummyHeader(std::span<const unsigned char>(bytes));
    if (parsed && (bytes.size() != 40 || bytes[0] != '*' || parsed->sourceSize < 0 || parsed->prefixLength > 255))
        __builtin_trap();

    std::wstring name;
    for (std::size_t i = 2 + bytes.size(); i + 1 < size; i += 2)
        name.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));

    // The header fields as they come, whether or not the bytes parse.
    orvane::DummyHeader header = parsed.value_or(orvane::DummyHeader{});
    if (!parsed && bytes.size() >= 36) {
        header.prefixLength = bytes[34];
        header.hasSizeSuffix = bytes[35] & 1;
    }
    const std::wstring shown = orvane::DummyDisplayName(name, header, showPrefix, showSizeSuffix);
    if (shown.size() > name.size()) __builtin_trap();
    const std::size_t start = showPrefix ? 0 : std::min<std::size_t>(header.prefixLength, name.size());
    if (name.compare(start, shown.size(), shown) != 0) __builtin_trap();
    // A hidden suffix ends the name right before its last "(" (when that lies past the prefix).
    std::size_t end = name.size();
    const std::size_t paren = name.rfind(L'(');
    if (header.hasSizeSuffix && !showSizeSuffix && paren != name.npos && paren >= start) end = paren;
    if (start + shown.size() != end) __builtin_trap();
    return 0;
}
