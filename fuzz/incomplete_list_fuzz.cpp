// The client's list file as it may look while the client writes it. Input: a
// flag byte, then UTF-16 code units. The first line names the scanned files
// ("|" between names). Flag bit 0: the final name of every other line is
// scanned too, so that blocks often find their file; bit 1: a line that
// begins with "@" begins with "Local Path:" instead, a word the fuzzer would
// hardly guess; bit 2: one byte per code unit, so that sizes come easily.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/incomplete_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool nameEveryLine = data[0] & 1, expandBlockStarts = data[0] & 2;
    const std::size_t unitSize = (data[0] & 4) ? 1 : 2;
    std::wstring text;
    for (std::size_t i = 1; i + unitSize <= size; i += unitSize)
        text.push_back(static_cast<wchar_t>(unitSize == 1 ? data[i] : data[i] | data[i + 1] << 8));

    std::vector<std::wstring> lines = orvane::SplitLines(text);
    std::size_t textLength = 0;
    for (const std::wstring& line : lines) {
        if (line.find_first_of(L"\r\n") != std::wstring::npos) __builtin_trap();
        textLength += line.size();
    }
    if (textLength > text.size() || lines.empty() != text.empty()) __builtin_trap();
    if (lines.empty()) return 0;
    for (std::wstring& line : lines)
        if (expandBlockStarts && line.starts_with(L'@')) line.replace(0, 1, L"Local Path:");

    orvane::FileEntryList entries;
    const std::wstring& names = lines[0];
    for (std::size_t start = 0; start <= names.size() && entries.size() < 16;) {
        const std::size_t bar = std::min(names.find(L'|', start), names.size());
        entries.emplace_back().Name = names.substr(start, bar - start);
        start = bar + 1;
    }
    for (std::size_t i = 1; nameEveryLine && i < lines.size() && entries.size() < 64; ++i)
        entries.emplace_back().Name = lines[i].substr(lines[i].rfind(L'\\') + 1);
    for (std::size_t i = 0; i < entries.size(); ++i) entries[i].TotalSize = static_cast<std::int32_t>(i) - 1;

    const orvane::FileEntryList before = entries;
    orvane::ApplyIncompleteList(lines, entries);

    if (entries.size() != before.size()) __builtin_trap();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const orvane::FileEntry& entry = entries[i];
        if (entry.Name != before[i].Name) __builtin_trap();
        const bool changed = entry.TotalSize != before[i].TotalSize || entry.User != before[i].User;
        if (entry.TotalSize != before[i].TotalSize && entry.TotalSize < 0) __builtin_trap();
        // Only the first entry of a name takes values from the list.
        for (std::size_t j = 0; changed && j < i; ++j)
            if (before[j].Name == entry.Name) __builtin_trap();
    }
    return 0;
}
