#include "core/status_text.h"

#include <array>

namespace orvane {

std::wstring ShortSize(std::int64_t bytes, const TextFormat& format) {
    if (bytes < 1024) return format.Number(bytes < 0 ? 0 : bytes) + L" バイト";
    static constexpr std::array<const wchar_t*, 4> kUnits{L"KB", L"MB", L"GB", L"TB"};
    // In hundredths of the unit, so that the digits are cut as the file window cuts them.
    std::size_t unit = 0;
    long double value = static_cast<long double>(bytes) / 1024;
    while (value >= 1000 && unit + 1 < kUnits.size()) {
        value /= 1024;
        ++unit;
    }
    const auto hundredths = static_cast<std::int64_t>(value * 100);
    std::wstring number;
    if (hundredths >= 10000) {
        number = format.Number(hundredths / 100);
    } else if (hundredths >= 1000) {
        number = std::to_wstring(hundredths / 100) + L"." + std::to_wstring(hundredths / 10 % 10);
    } else {
        const std::int64_t cents = hundredths % 100;
        number = std::to_wstring(hundredths / 100) + L"." + (cents < 10 ? L"0" : L"") + std::to_wstring(cents);
    }
    return number + L" " + kUnits[unit];
}

std::wstring SelectionStatus(std::optional<std::size_t> matches, std::size_t selected, std::int64_t selectedBytes,
                             const TextFormat& format) {
    std::wstring text;
    if (matches) text = L"一致 " + format.Number(static_cast<std::int64_t>(*matches)) + L" 件";
    if (selected > 0) {
        if (!text.empty()) text += L"　";
        text +=
            format.Number(static_cast<std::int64_t>(selected)) + L" 個の項目を選択 " + ShortSize(selectedBytes, format);
    }
    return text;
}

}  // namespace orvane
