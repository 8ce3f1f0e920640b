#include "platform/locale_text.h"

#include <windows.h>

#include <cstdio>

namespace orvane {

namespace {

std::wstring LocaleInfo(LCTYPE type, const wchar_t* fallback) {
    wchar_t buffer[16] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 16) > 1) return buffer;
    return fallback;
}

}  // namespace

LocaleTextFormat::LocaleTextFormat()
    : dateSeparator_(LocaleInfo(LOCALE_SDATE, L"/")), timeSeparator_(LocaleInfo(LOCALE_STIME, L":")) {}

std::wstring LocaleTextFormat::Number(std::int64_t value) const {
    const std::wstring digits = std::to_wstring(value);
    NUMBERFMTW format{};
    wchar_t decimal[8] = L".";
    wchar_t thousand[8] = L",";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 8);
    format.NumDigits = 0;
    format.LeadingZero = 1;
    format.Grouping = 3;
    format.lpDecimalSep = decimal;
    format.lpThousandSep = thousand;
    format.NegativeOrder = 1;
    wchar_t buffer[64] = {};
    if (GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits.c_str(), &format, buffer, 64) > 0) return buffer;
    return TextFormat::Number(value);
}

std::wstring LocaleTextFormat::Date(double days) const {
    const DateParts p = PartsFromDate(days);
    wchar_t buffer[64] = {};
    std::swprintf(buffer, 64, L"%04d%ls%02d%ls%02d %02d%ls%02d", p.year, dateSeparator_.c_str(), p.month,
                  dateSeparator_.c_str(), p.day, p.hour, timeSeparator_.c_str(), p.minute);
    return buffer;
}

std::string LocaleCollator::Key(std::wstring_view text) const {
    if (text.empty()) return {};
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int size = static_cast<int>(text.size());
    // Most keys fit a small buffer: one call instead of asking the size first.
    char small[512];
    int bytes = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), size, reinterpret_cast<wchar_t*>(small),
                              sizeof(small), nullptr, nullptr, 0);
    std::string key;
    if (bytes > 0) {
        key.assign(small, static_cast<std::size_t>(bytes));
    } else {
        bytes = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), size, nullptr, 0, nullptr, nullptr, 0);
        if (bytes <= 0) return Collator::Key(text);
        key.assign(static_cast<std::size_t>(bytes), '\0');
        LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), size, reinterpret_cast<wchar_t*>(key.data()), bytes,
                      nullptr, nullptr, 0);
    }
    while (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}

std::wstring UpperCaseText(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int chars = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, text.data(),
                                    size, nullptr, 0, nullptr, nullptr, 0);
    std::wstring upper(static_cast<std::size_t>(chars), L'\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, text.data(), size, upper.data(),
                  chars, nullptr, nullptr, 0);
    return upper;
}

}  // namespace orvane
