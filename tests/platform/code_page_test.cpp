#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(Text, JapaneseRoundTripsThroughCodePage932) {
    const std::wstring name = L"表示ソフト\\予定.txt";  // second bytes 0x5C inside
    const std::string bytes = ToAnsi(name);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x95\x5c", 2));  // 表 in code page 932
    EXPECT_EQ(FromAnsi(bytes), name);
    EXPECT_TRUE(RepresentableInAnsi(name));
    EXPECT_TRUE(RepresentableInAnsi(L""));
}

TEST(Text, CharactersOutsideTheCodePageAreDetected) {
    EXPECT_FALSE(RepresentableInAnsi(L"한국어"));
    EXPECT_FALSE(RepresentableInAnsi(L"caf\u00e9 \U0001F600"));
    EXPECT_TRUE(RepresentableInAnsi(L"ｶﾀｶﾅ and ASCII"));
}

}  // namespace
}  // namespace orvane
