#include "app/settings_model.h"

#include <cmath>
#include <limits>

#include "core/text.h"

namespace orvane {

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

template <typename Int>
Int ToInteger(std::wstring_view text, Int fallback) {
    const auto number = ParseNumber(text);
    if (!number) return fallback;
    const double rounded = std::nearbyint(*number);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return fallback;
    return static_cast<Int>(rounded);
}

}  // namespace

std::optional<double> ParseNumber(std::wstring_view text) {
    text = Trimmed(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    double value = 0;
    std::size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) value = value * 10 + (text[i] - L'0');
    if (i < text.size() && text[i] == L'.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits, scale /= 10) value += (text[i] - L'0') * scale;
    }
    if (digits == 0 || i != text.size() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::int16_t ToInt16(std::wstring_view text, std::int16_t fallback) { return ToInteger(text, fallback); }
std::int32_t ToInt32(std::wstring_view text, std::int32_t fallback) { return ToInteger(text, fallback); }

std::optional<int> ToTwips(std::wstring_view text) {
    const auto number = ParseNumber(text);
    if (!number) return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (std::fabs(rounded) > 100'000'000) return std::nullopt;  // far beyond any screen
    return static_cast<int>(rounded);
}

namespace {

bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool HasDrive(std::wstring_view path) { return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == L':'; }
// "C:" of "C:\prog\", "\\server\share" of "\\server\share\prog\".
std::wstring_view RootOf(std::wstring_view folder) {
    if (HasDrive(folder)) return folder.substr(0, 2);
    if (folder.size() < 2 || !IsSlash(folder[0]) || !IsSlash(folder[1])) return {};
    std::size_t end = 2;
    for (int part = 0; part < 2 && end != std::wstring_view::npos; ++part)
        end = folder.find_first_of(L"\\/", end + (part ? 1 : 0));
    return folder.substr(0, end);
}
// What the profile reader takes for blanks, and a little more: stripping
// more than it does is harmless, less is not.
bool IsProfileBlank(wchar_t c) { return IsSpace(c) || c == L'\v' || c == L'\f' || c == L'\x1a'; }

}  // namespace

std::wstring ResolvedAgainst(std::wstring_view folder, std::wstring_view path) {
    if (Trimmed(path).empty()) return std::wstring(path);
    const bool fromRoot = IsSlash(path[0]);
    if (fromRoot && path.size() >= 2 && IsSlash(path[1])) return std::wstring(path);  // a share or "\\?\"
    if (HasDrive(path)) return std::wstring(path);
    if (fromRoot) return std::wstring(RootOf(folder)) + std::wstring(path);
    return std::wstring(folder) + std::wstring(path);
}

std::wstring StableProfileValue(std::wstring_view value) {
    value = value.substr(0, value.find_first_of(L"\r\n"));
    for (;;) {
        while (!value.empty() && IsProfileBlank(value.front())) value.remove_prefix(1);
        while (!value.empty() && IsProfileBlank(value.back())) value.remove_suffix(1);
        const bool quoted =
            value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front();
        if (!quoted) return std::wstring(value);
        value = value.substr(1, value.size() - 2);
    }
}

Settings ReadSettings(const IniReader& read) {
    Settings s;
    const Settings defaults;
    s.filePath = read(L"PATH", L"FILE_PATH", L"");
    s.deleteConfirm = read(L"SYSTEM", L"DELMSG", L"") != L"0";
    s.defaultDir = read(L"PATH", L"DEFAULT_DIR", L"");
    s.sortKey = ToInt16(read(L"SORT", L"KEY", L"1"), defaults.sortKey);
    s.sortOrder = ToInt16(read(L"SORT", L"ORDER", L"0"), defaults.sortOrder);
    s.background = read(L"DESIGN", L"BG", L"");
    s.alignment = ToInt16(read(L"DESIGN", L"ALIGNMENT", L"0"), defaults.alignment);
    s.invisibleEnabled = ToInt16(read(L"DESIGN", L"INVISIBLEENABLED", L"0"), defaults.invisibleEnabled);
    s.invisible = ToInt16(read(L"DESIGN", L"INVISIBLE", L"255"), defaults.invisible);
    s.listTextColor = ToInt32(read(L"DESIGN", L"LISTTEXTCOLOR", L"-2147483640"), defaults.listTextColor);
    s.gridLines = ToInt16(read(L"DESIGN", L"LINE", L"1"), defaults.gridLines);
    s.sizeColor = ToInt32(read(L"DESIGN", L"SIZECOLOR", L"65280"), defaults.sizeColor);
    s.refDirView = ParseNumber(read(L"SYSTEM", L"REFDIRVIEW", L"1")).value_or(1.0) == 1.0;
    s.left = read(L"SYSTEM", L"LEFT", L"");
    s.top = read(L"SYSTEM", L"TOP", L"");
    s.dummyInitialDisp = ToInt16(read(L"DMY", L"INITIALDISP", L"1"), defaults.dummyInitialDisp);
    s.dummySizeDisp = ToInt16(read(L"DMY", L"SIZEDISP", L"1"), defaults.dummySizeDisp);
    s.dummySizeSrc = ToInt16(read(L"DMY", L"SIZESRC", L"1"), defaults.dummySizeSrc);
    s.dummyColor = ToInt32(read(L"DMY", L"COLOR", L"8421504"), defaults.dummyColor);
    return s;
}

}  // namespace orvane
