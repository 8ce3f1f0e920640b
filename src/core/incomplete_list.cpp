#include "core/incomplete_list.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "core/text.h"

namespace orvane {
namespace {

constexpr std::wstring_view kBlockStart = L"Local Path:";
constexpr std::int64_t kLargestSize = 2147483647;

// The value part of a "label:value" line; a line without ":" is all value.
std::wstring_view AfterFirstColon(std::wstring_view line) {
    const std::size_t colon = line.find(L':');
    return colon == std::wstring_view::npos ? line : line.substr(colon + 1);
}

// A whole decimal number that fits the 32-bit full size, spaces and tabs
// around it allowed; anything else is no size at all.
std::optional<std::int32_t> ParseSize(std::wstring_view text) {
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;

    std::int64_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > kLargestSize) return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// Only the final name counts: the client may keep the file in any folder.
std::wstring_view NameOfBlock(std::wstring_view line) {
    const std::size_t slash = line.rfind(L'\\');
    return slash == std::wstring_view::npos ? line : line.substr(slash + 1);
}

}  // namespace

std::vector<std::wstring> IncompleteListNames(const std::vector<std::wstring>& lines) {
    std::vector<std::wstring> names;
    for (const std::wstring& line : lines)
        if (std::wstring_view(line).starts_with(kBlockStart)) names.emplace_back(NameOfBlock(line));
    return names;
}

bool NamesIncompleteList(std::wstring_view name) {
    const std::wstring_view list(kIncompleteListName);
    const auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; };
    return name.size() == list.size() && std::equal(name.begin(), name.end(), list.begin(),
                                                    [&](wchar_t a, wchar_t b) { return upper(a) == upper(b); });
}

void ApplyIncompleteList(const std::vector<std::wstring>& lines, FileEntryList& entries) {
    // The first entry of a name is the one that gets the values. Only the
    // names the blocks give are looked for: a folder has far more files than
    // the client has downloads, and a map of every name costs more than all the rest.
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::unordered_map<std::wstring_view, std::size_t> firstByName;
    for (const std::wstring& line : lines)
        if (line.starts_with(kBlockStart)) firstByName.try_emplace(NameOfBlock(line), kNone);
    if (firstByName.empty()) return;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto wanted = firstByName.find(entries[i].Name);
        if (wanted != firstByName.end() && wanted->second == kNone) wanted->second = i;
    }

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::wstring_view line = lines[i];
        if (!line.starts_with(kBlockStart)) continue;

        const auto found = firstByName.find(NameOfBlock(line));
        // An unknown file's block is skipped line by line, like any other text.
        if (found == firstByName.end() || found->second == kNone) continue;

        // The client may be writing the file right now: a block cut short is
        // left alone rather than half applied.
        if (lines.size() - i <= 3) return;

        FileEntry& entry = entries[found->second];
        if (const auto size = ParseSize(AfterFirstColon(lines[i + 2]))) entry.TotalSize = *size;
        entry.User = AfterFirstColon(lines[i + 3]);
        i += 3;
    }
}

}  // namespace orvane
