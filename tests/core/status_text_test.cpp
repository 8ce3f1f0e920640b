#include "core/status_text.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

const TextFormat kFormat;

TEST(StatusText, SizesKeepThreeDigitsCutInTheUnitThatFits) {
    EXPECT_EQ(ShortSize(0, kFormat), L"0 バイト");
    EXPECT_EQ(ShortSize(1023, kFormat), L"1,023 バイト");
    EXPECT_EQ(ShortSize(1024, kFormat), L"1.00 KB");
    EXPECT_EQ(ShortSize(1535, kFormat), L"1.49 KB");  // cut, not rounded
    EXPECT_EQ(ShortSize(10 * 1024 + 1023, kFormat), L"10.9 KB");
    EXPECT_EQ(ShortSize(999 * 1024 + 1023, kFormat), L"999 KB");
    EXPECT_EQ(ShortSize(1000 * 1024, kFormat), L"0.97 MB");  // past 999 the next unit
    EXPECT_EQ(ShortSize(13002343, kFormat), L"12.4 MB");     // 12.4 MB exactly; one byte less is 12.3
    EXPECT_EQ(ShortSize(13002342, kFormat), L"12.3 MB");
    EXPECT_EQ(ShortSize(5LL << 30, kFormat), L"5.00 GB");
    EXPECT_EQ(ShortSize(2000LL << 40, kFormat), L"2,000 TB");  // no unit above
}

TEST(StatusText, TellsMatchesAndSelectionEachWhenItHolds) {
    EXPECT_EQ(SelectionStatus(std::nullopt, 0, 0, kFormat), L"");
    EXPECT_EQ(SelectionStatus(std::nullopt, 3, 13002343, kFormat), L"3 個の項目を選択 12.4 MB");
    EXPECT_EQ(SelectionStatus(0, 0, 0, kFormat), L"一致 0 件");
    EXPECT_EQ(SelectionStatus(1234, 1, 40, kFormat), L"一致 1,234 件　1 個の項目を選択 40 バイト");
}

}  // namespace
}  // namespace orvane
