#include "core/version_text.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(VersionText, MinorAndRevisionStandTogetherWithoutAPoint) {
    EXPECT_EQ(SplashVersionText({0, 4, 0}), L"Ver. 0.40");
    EXPECT_EQ(DialogVersionText({0, 4, 0}), L"Orvane Ver.0.40");
    EXPECT_EQ(DialogVersionText({1, 2, 3}), L"Orvane Ver.1.23");
    EXPECT_EQ(VersionText({2, 10, 7}), L"2.107");
}

}  // namespace
}  // namespace orvane
