#include "core/text.h"

namespace orvane {

namespace {

template <typename Char>
std::vector<std::basic_string_view<Char>> LineViews(std::basic_string_view<Char> text) {
    std::vector<std::basic_string_view<Char>> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c != Char('\r') && c != Char('\n')) continue;
        lines.push_back(text.substr(start, i - start));
        if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    const auto views = LineViews(text);
    return std::vector<std::wstring>(views.begin(), views.end());
}

std::vector<std::string_view> SplitByteLines(std::string_view bytes) { return LineViews(bytes); }

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

int HexDigitValue(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A') + 10;
    if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a') + 10;
    return -1;
}

std::wstring ShellFileList(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    return list;
}

bool PlainPathNamesFile(std::wstring_view name) {
    if (name.empty() || name.back() == L'.' || name.back() == L' ') return false;
    // The device names count whatever follows the first dot, and blanks before it.
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
    std::wstring upper(base);
    for (wchar_t& c : upper)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (upper == device) return false;
    // COM1 to COM9 and LPT1 to LPT9, with the superscript digits the platform takes too.
    const bool numbered = upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT"));
    return !(numbered && ((upper[3] >= L'1' && upper[3] <= L'9') || upper[3] == L'\u00B9' || upper[3] == L'\u00B2' ||
                          upper[3] == L'\u00B3'));
}

std::wstring WithTrailingBackslash(std::wstring path) {
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}

}  // namespace orvane
