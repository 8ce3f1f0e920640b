// Any name the file system may hand over: the full size is either unknown or
// fits the 32-bit size, and only names of unfinished downloads carry one.
// Input: a flag byte, then the name's UTF-16 code units. Flag bit 0: the
// name begins with the client's prefix, which the fuzzer would hardly guess;
// bit 1: one byte per code unit, so that digits and dots come easily.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/download_name.h"
#include "core/file_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::wstring name = (data[0] & 1) ? std::wstring(orvane::kIncompletePrefix) : std::wstring();
    const std::size_t unitSize = (data[0] & 2) ? 1 : 2;
    for (std::size_t i = 1; i + unitSize <= size; i += unitSize)
        name.push_back(static_cast<wchar_t>(unitSize == 1 ? data[i] : data[i] | data[i + 1] << 8));

    const std::int32_t total = orvane::FullSizeFromName(name);
    if (total != orvane::kTotalUnknown && total < 0) __builtin_trap();
    if (total != orvane::kTotalUnknown && (!name.starts_with(orvane::kIncompletePrefix) || name.size() < 23))
        __builtin_trap();
    return 0;
}
