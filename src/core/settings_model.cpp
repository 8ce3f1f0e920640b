#include "core/settings_model.h"

#include <cmath>
#include <iterator>
#include <type_traits>
#include <variant>
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

namespace {

using Form = SettingForm;
using Field =
    std::variant<std::wstring Settings::*, bool Settings::*, std::int16_t Settings::*, std::int32_t Settings::*>;
struct SettingEntry {
    const wchar_t* section;
    const wchar_t* name;
    Field field;
    Form form;
};

const SettingEntry kSettings[] = {
#define ORVANE_SETTING_ENTRY(key, field, type, value, section, name, form) \
    {section, name, &Settings::field, Form::form},
    ORVANE_SETTINGS(ORVANE_SETTING_ENTRY)
#undef ORVANE_SETTING_ENTRY
};

// The keys and the table come from one list, in one order.
const SettingEntry& EntryOf(SettingKey key) { return kSettings[static_cast<std::size_t>(key)]; }

template <typename>
inline constexpr bool kAlwaysFalse = false;

void Assign(Settings& settings, const SettingEntry& entry, const std::wstring& text) {
    static const Settings defaults;
    std::visit(
        [&](auto field) {
            using Value = std::remove_reference_t<decltype(settings.*field)>;
            if constexpr (std::is_same_v<Value, std::wstring>) {
                settings.*field = text;
            } else if constexpr (std::is_same_v<Value, bool>) {
                settings.*field =
                    entry.form == Form::OnUnlessZero ? text != L"0" : ParseNumber(text).value_or(1.0) == 1.0;
            } else if constexpr (std::is_same_v<Value, std::int16_t>) {
                settings.*field = ToInt16(text, defaults.*field);
            } else if constexpr (std::is_same_v<Value, std::int32_t>) {
                settings.*field = ToInt32(text, defaults.*field);
            } else {
                static_assert(kAlwaysFalse<Value>);
            }
        },
        entry.field);
}

std::wstring StoredText(const Settings& settings, const SettingEntry& entry) {
    return std::visit(
        [&](auto field) -> std::wstring {
            const auto& value = settings.*field;
            using Value = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, std::wstring>) {
                return value;
            } else if constexpr (std::is_same_v<Value, bool>) {
                return value ? L"1" : L"0";
            } else {
                return std::to_wstring(value);
            }
        },
        entry.field);
}

constexpr wchar_t kFindSection[] = L"FIND";
std::wstring FindWordKey(std::size_t number) { return L"WORD" + std::to_wstring(number); }

}  // namespace

Settings ReadSettings(const IniReader& read) {
    static const Settings defaults;
    Settings s;
    for (const SettingEntry& entry : kSettings)
        Assign(s, entry, read(entry.section, entry.name, StoredText(defaults, entry)));
    return s;
}

void WriteSettings(const IniWriter& write, const Settings& settings, std::initializer_list<SettingKey> keys) {
    for (SettingKey key : keys) {
        const SettingEntry& entry = EntryOf(key);
        write(entry.section, entry.name, StoredText(settings, entry));
    }
}

std::wstring ReadFindWord(const IniReader& read, std::size_t number, std::wstring_view fallback) {
    return read(kFindSection, FindWordKey(number), fallback);
}

void WriteFindWord(const IniWriter& write, std::size_t number, std::wstring_view word) {
    write(kFindSection, FindWordKey(number), word);
}

}  // namespace orvane
