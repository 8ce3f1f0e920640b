#include "core/dummy_header.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace orvane {
namespace {

std::vector<unsigned char> Header(std::string_view digits, unsigned char prefix, unsigned char suffix) {
    std::vector<unsigned char> bytes(40, 'x');
    std::copy_n("*PLH", 4, bytes.begin());
    std::copy(digits.begin(), digits.end(), bytes.begin() + 8);
    bytes[34] = prefix;
    bytes[35] = suffix;
    return bytes;
}

TEST(ParseDummyHeader, ReadsFortyBytesThatBeginWithTheSignature) {
    const DummyHeader header = ParseDummyHeader(Header("00100000", 200, 1)).value();
    EXPECT_EQ(header.sourceSize, 1048576);
    EXPECT_EQ(header.prefixLength, 200u);
    EXPECT_TRUE(header.hasSizeSuffix);
    EXPECT_EQ(ParseDummyHeader(Header("7fffFFFF", 4, 2)).value().sourceSize, 0x7FFFFFFF);
    EXPECT_FALSE(ParseDummyHeader(Header("7fffFFFF", 4, 2)).value().hasSizeSuffix);

    auto longer = Header("00100000", 4, 1), shorter = longer, lowerCase = longer;
    longer.push_back(0);
    shorter.pop_back();
    lowerCase[3] = 'h';
    for (const auto& bytes : {longer, shorter, lowerCase, Header("80000000", 4, 1), Header("0010000G", 4, 1)})
        EXPECT_FALSE(ParseDummyHeader(bytes));
}

TEST(DummyDisplayName, HidesPrefixAndSuffixUnlessShown) {
    DummyHeader header{.sourceSize = 0, .prefixLength = 4, .hasSizeSuffix = true};
    const std::wstring name = L"[AB]曲名 (1,024KB)(2).mp3";
    EXPECT_EQ(DummyDisplayName(name, header, false, false), L"曲名 (1,024KB)");
    EXPECT_EQ(DummyDisplayName(name, header, true, false), L"[AB]曲名 (1,024KB)");
    EXPECT_EQ(DummyDisplayName(name, header, false, true), L"曲名 (1,024KB)(2).mp3");
    EXPECT_EQ(DummyDisplayName(name, header, true, true), name);
    EXPECT_EQ(DummyDisplayName(L"abcd", header, false, true), L"");
    EXPECT_EQ(DummyDisplayName(L"(ab)name.mp3", header, false, false), L"name.mp3");  // the prefix goes first
    header.hasSizeSuffix = false;
    EXPECT_EQ(DummyDisplayName(name, header, true, false), name);
}

}  // namespace
}  // namespace orvane
