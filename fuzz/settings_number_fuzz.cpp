// Any text a settings file may hold for a number, a colour or a window edge:
// it is a number exactly when it is blanks, a sign, digits with a fraction,
// blanks; its value is that of the decimal text; the integer conversions give
// the nearest integer (halves to even) inside their type's range and the
// fallback outside it, and a window edge stays within 100,000,000 twips.
// Input: a flag byte, a choice byte, then the text. Flag bit 0: one byte per
// code unit (digits, dots and signs come easily), else UTF-16 code units;
// bit 1: the text begins with a number next to a range limit, chosen by the
// choice byte, which the fuzzer would hardly guess digit by digit.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "core/settings_model.h"

namespace {

constexpr long long kLimits[] = {0,         32767,      -32768, 2147483647, -2147483648LL,
                                 100000000, -100000000, 255,    65535,      4294967295LL};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The text read by the rule above, independently of the code under test.
struct Decimal {
    bool negative = false;
    std::string integer, fraction;  // the digits before and after the point
};
std::optional<Decimal> ReadDecimal(const std::wstring& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    Decimal d;
    std::size_t i = begin;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) d.negative = text[i++] == L'-';
    while (i < end && IsDigit(text[i])) d.integer += static_cast<char>(text[i++]);
    if (i < end && text[i] == L'.')
        for (++i; i < end && IsDigit(text[i]);) d.fraction += static_cast<char>(text[i++]);
    if (i != end || d.integer.size() + d.fraction.size() == 0) return std::nullopt;
    return d;
}

// The nearest integer, halves to even, when the decimal has at most 15
// significant places (so that a double tells it apart from a half).
std::optional<long long> ExactNearest(const Decimal& d) {
    if (d.integer.size() + d.fraction.size() > 15) return std::nullopt;
    long long whole = 0, part = 0, scale = 1;
    for (char c : d.integer) whole = whole * 10 + (c - '0');
    for (char c : d.fraction) part = part * 10 + (c - '0'), scale *= 10;
    if (2 * part > scale || (2 * part == scale && whole % 2 == 1)) ++whole;
    return d.negative ? -whole : whole;
}

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

template <typename Int, typename Convert>
void CheckInteger(const std::optional<double>& number, const std::optional<long long>& exact, Convert convert) {
    constexpr Int kOne = 1234, kOther = -4321;
    const Int one = convert(kOne), other = convert(kOther);
    const bool fellBack = one == kOne && other == kOther;
    if (!number) {
        Check(fellBack);
        return;
    }
    const double rounded = std::nearbyint(*number);
    const bool inRange = rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
                         rounded <= static_cast<double>(std::numeric_limits<Int>::max());
    Check(inRange ? one == other && std::fabs(static_cast<double>(one) - *number) <= 0.5 : fellBack);
    if (exact) {
        const bool fits = *exact >= std::numeric_limits<Int>::min() && *exact <= std::numeric_limits<Int>::max();
        Check(fits ? one == *exact && other == *exact : fellBack);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::wstring text;
    if (data[0] & 2) {
        const long long limit = kLimits[data[1] % std::size(kLimits)] + (data[1] / 16) % 5 - 2;
        text = std::to_wstring(limit);
    }
    const std::size_t unitSize = (data[0] & 1) ? 1 : 2;
    for (std::size_t i = 2; i + unitSize <= size; i += unitSize)
        text.push_back(static_cast<wchar_t>(unitSize == 1 ? data[i] : data[i] | data[i + 1] << 8));

    const std::optional<double> number = orvane::ParseNumber(text);
    const std::optional<Decimal> decimal = ReadDecimal(text);
    double reference = 0;
    if (decimal) {
        const std::string ascii = (decimal->negative ? "-" : "") + decimal->integer + "." + decimal->fraction + "0";
        reference = std::strtod(ascii.c_str(), nullptr);
    }
    // Not a number: never a value. A number: a value unless it overflows a
    // double (next to that limit either answer will do).
    if (!decimal) Check(!number);
    if (decimal && std::fabs(reference) < 1e300) Check(number.has_value());
    if (number) {
        Check(decimal && std::isfinite(*number));
        Check(std::fabs(*number - reference) <= 1e-9 * std::fmax(1.0, std::fabs(reference)));
    }

    const std::optional<long long> exact = decimal ? ExactNearest(*decimal) : std::nullopt;
    if (exact && number) Check(std::nearbyint(*number) == static_cast<double>(*exact));
    CheckInteger<std::int16_t>(number, exact, [&](std::int16_t fallback) { return orvane::ToInt16(text, fallback); });
    CheckInteger<std::int32_t>(number, exact, [&](std::int32_t fallback) { return orvane::ToInt32(text, fallback); });

    const std::optional<int> twips = orvane::ToTwips(text);
    Check(twips.has_value() == (number && std::fabs(std::nearbyint(*number)) <= 100'000'000));
    if (twips) Check(static_cast<double>(*twips) == std::nearbyint(*number));
    if (twips && exact) Check(*twips == *exact);
    return 0;
}
