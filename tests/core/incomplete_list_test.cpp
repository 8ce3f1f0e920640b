#include "core/incomplete_list.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace orvane {
namespace {

using Lines = std::vector<std::wstring>;

// Every entry as "TotalSize|User" after the list is applied; each starts with the size 777.
Lines Apply(std::initializer_list<const wchar_t*> names, std::wstring_view list) {
    FileEntryList entries;
    for (const wchar_t* name : names) {
        entries.emplace_back().Name = name;
        entries.back().TotalSize = 777;
    }
    ApplyIncompleteList(SplitLines(list), entries);
    Lines result;
    for (const FileEntry& entry : entries) result.push_back(std::to_wstring(entry.TotalSize) + L"|" + entry.User);
    return result;
}

TEST(ApplyIncompleteList, CopiesSizeAndUserOfTheFilesItNamesExactly) {
    EXPECT_EQ(
        Apply({L"a.zip", L"表示ソフト.zip", L"Song.mp3", L"b.zip"},
              L"[list]\r\nLocal Path:C:\\dl\\a.zip\r\nr\r\nSize: 1234 \r\nUser: bob\r\n"
              L"Local Path:D:\\受信\\表示ソフト.zip\nr\nSize:\t99\t\nno colon\nLocal Path:C:\\song.mp3\nr\nS:5\nU:u\n"
              L" Local Path:C:\\b.zip\nr\nS:5\nU:u\nlocal path:C:\\b.zip\nr\nS:5\nU:u\nLocal Path:b.zip\nr\nS:5\nU:u"),
        (Lines{L"1234| bob", L"99|no colon", L"777|", L"777|"}));
}

TEST(ApplyIncompleteList, TheListFileIsKnownByItsNameInEitherCase) {
    EXPECT_TRUE(NamesIncompleteList(L"incomplete downloads.txt"));
    EXPECT_TRUE(NamesIncompleteList(L"INCOMPLETE Downloads.TXT"));
    EXPECT_FALSE(NamesIncompleteList(L"incomplete downloads.tx"));
    EXPECT_FALSE(NamesIncompleteList(L"incomplete downloads.txt "));
    EXPECT_FALSE(NamesIncompleteList(L"incomplete_downloads.txt"));
    EXPECT_FALSE(NamesIncompleteList(L"incomplete downloads.tx\u0442"));  // a Cyrillic letter, not "t"
}

TEST(ApplyIncompleteList, ReadsBlocksLineByLine) {
    // An unknown file's block does not swallow the next one; a known file's swallows its three lines.
    EXPECT_EQ(Apply({L"a", L"b"}, L"Local Path:\\x\nLocal Path:\\a\nLocal Path:\\b\nS:5\nU:u\nS:6\nU:v"),
              (Lines{L"5|u", L"777|"}));
    // The last block of a name wins, a block cut short changes nothing, only a name's first entry is found.
    EXPECT_EQ(Apply({L"a", L"b", L"a"},
                    L"Local Path:\\a\nr\nS:1\nU:u\nLocal Path:\\b\nr\nS:2\nU:v\n"
                    L"Local Path:\\a\nr\nS:3\nU:w\nLocal Path:\\b\nr\nS:4\n"),
              (Lines{L"3|w", L"2|v", L"777|"}));
}

TEST(ApplyIncompleteList, KeepsTheSizeWhenTheTextIsNoSizeButTakesTheUser) {
    for (const wchar_t* size : {L"S:", L"S: 12x", L"S:-5", L"S:+5", L"S:2147483648", L"S:99999999999999999999"})
        EXPECT_EQ(Apply({L"a"}, std::wstring(L"Local Path:\\a\nr\n") + size + L"\nU:u"), Lines{L"777|u"}) << size;
    EXPECT_EQ(Apply({L"a", L"b"}, L"Local Path:\\a\nr\nS:2147483647\nU:\nLocal Path:\\b\nr\nS:0\nU"),
              (Lines{L"2147483647|", L"0|U"}));
}

}  // namespace
}  // namespace orvane
