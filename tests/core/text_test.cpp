#include "core/text.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(Text, SplitLinesBreaksAtCrLfLfAndLoneCr) {
    using Lines = std::vector<std::wstring>;
    EXPECT_EQ(SplitLines(L"a\r\nb\nc\rd"), (Lines{L"a", L"b", L"c", L"d"}));
    EXPECT_EQ(SplitLines(L"a\r\rb\n\r\n"), (Lines{L"a", L"", L"b", L""}));
    EXPECT_TRUE(SplitLines(L"").empty());

    using Bytes = std::vector<std::string_view>;
    EXPECT_EQ(SplitByteLines("a\r\n\r\nb\r\n"), (Bytes{"a", "", "b"}));
    EXPECT_EQ(SplitByteLines("\r\r\n"), (Bytes{"", ""}));
    EXPECT_TRUE(SplitByteLines("").empty());
    EXPECT_EQ(SplitByteLines("\x81\\,\xEF\xBB\xBF"), (Bytes{"\x81\\,\xEF\xBB\xBF"}));
}

TEST(Text, TrimsBlanksAndAddsOneTrailingBackslash) {
    EXPECT_EQ(Trimmed(L"  C:\\x \t"), L"C:\\x");
    EXPECT_EQ(Trimmed(L" \t "), L"");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\Tools"), L"C:\\Tools\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(WithTrailingBackslash(L""), L"\\");
}

TEST(Text, HexDigitValueTakesBothCasesAndNothingBesideTheirRanges) {
    const std::pair<char32_t, int> cases[] = {{U'0', 0},  {U'9', 9},  {U'A', 10},  {U'F', 15},   {U'a', 10},
                                              {U'f', 15}, {U'/', -1}, {U':', -1},  {U'@', -1},   {U'G', -1},
                                              {U'`', -1}, {U'g', -1}, {U'０', -1}, {0x10030, -1}};
    for (const auto& [c, value] : cases) EXPECT_EQ(HexDigitValue(c), value) << static_cast<unsigned>(c);
    EXPECT_EQ(HexDigitValue(static_cast<unsigned char>('b')), 11);
}

TEST(Text, ShellFileListEndsEveryPathWithANulAndTheListWithOneMore) {
    using namespace std::string_literals;
    EXPECT_EQ(ShellFileList({L"C:\\a.txt"}), L"C:\\a.txt\0\0"s);
    EXPECT_EQ(ShellFileList({L"C:\\a", L"D:\\ü b", L"c"}), L"C:\\a\0D:\\ü b\0c\0\0"s);
    EXPECT_EQ(ShellFileList({}), L"\0"s);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST(Text, APlainPathNamesTheFileUnlessTheParserTrimsItOrTakesItForADevice) {
    for (const wchar_t* name : {L"x.txt", L"x", L".hidden", L"a b.mp3", L"console.txt", L"com10.txt", L"com0",
                                L"lpt.txt", L"nul_.txt", L"aux1", L"曲.mp3", L"x.txt.a"})
        EXPECT_TRUE(PlainPathNamesFile(name)) << name;
    for (const wchar_t* name :
         {L"", L"x.txt.", L"x.txt ", L"x..", L".", L"con", L"CON.txt", L"aux.mp3", L"Nul.a.b", L"prn ", L"com1.txt",
          L"LPT9", L"com\u00B9.txt", L"con .txt", L"conin$", L"CONOUT$.log"})
        EXPECT_FALSE(PlainPathNamesFile(name)) << name;
}

}  // namespace
}  // namespace orvane
