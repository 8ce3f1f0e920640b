#include "mainwindow/drop_rules.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr std::uint32_t kLeftButton = 0x1;  // MK_LBUTTON
constexpr std::uint32_t kAlt = 0x20;        // MK_ALT

std::wstring AsciiUpper(std::wstring_view text) {
    std::wstring result(text);
    for (wchar_t& c : result)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return result;
}

TEST(DropRules, EffectFollowsTheKeysWithinWhatTheSourceAllows) {
    const std::uint32_t both = kDropCopy | kDropMove;
    EXPECT_EQ(kDropMove, DropEffectFor(0, both));
    EXPECT_EQ(kDropMove, DropEffectFor(kLeftButton | kKeyShift | kAlt, both));  // every bit but Ctrl
    EXPECT_EQ(kDropCopy, DropEffectFor(kKeyControl, both));
    EXPECT_EQ(kDropCopy, DropEffectFor(kKeyControl | kKeyShift, both));
    EXPECT_EQ(kDropCopy, DropEffectFor(kKeyShift, kDropCopy | 4));  // only copy (and link) allowed
    // The list's own drag offers one effect: the keys of the drag change nothing.
    EXPECT_EQ(kDropMove, DropEffectFor(kKeyControl, ListDragEffect(false)));
    EXPECT_EQ(kDropCopy, DropEffectFor(kKeyShift, ListDragEffect(true)));
    EXPECT_EQ(kDropNone, DropEffectFor(kKeyControl, 4));  // link only

    EXPECT_EQ(FileTransfer::Copy, TransferForDrop(kDropCopy));
    EXPECT_EQ(FileTransfer::Move, TransferForDrop(kDropCopy | kDropMove));
    EXPECT_EQ(FileTransfer::Move, TransferForDrop(kDropMove));
    EXPECT_EQ(FileTransfer::Move, TransferForDrop(kDropNone));

    EXPECT_EQ(FileTransfer::Move, TransferForPaste(kDropMove));      // a cut
    EXPECT_EQ(FileTransfer::Copy, TransferForPaste(kDropCopy | 4));  // a copy, as the shell says it
    EXPECT_EQ(FileTransfer::Copy, TransferForPaste(kDropCopy | kDropMove));
    EXPECT_EQ(FileTransfer::Copy, TransferForPaste(std::nullopt));
}

TEST(DropRules, OnlyTheFirstPathsFolderIsComparedIgnoringLetterCase) {
    const std::vector<std::wstring> fromDl{L"c:\\DL\\a.mp3", L"D:\\other\\b.mp3"};
    EXPECT_TRUE(FirstPathIsIn(fromDl, L"C:\\dl", AsciiUpper));
    EXPECT_TRUE(FirstPathIsIn(fromDl, L"C:\\dl\\", AsciiUpper));
    EXPECT_FALSE(FirstPathIsIn(fromDl, L"C:\\dl\\sub", AsciiUpper));
    EXPECT_FALSE(FirstPathIsIn(fromDl, L"C:\\", AsciiUpper));
    EXPECT_FALSE(FirstPathIsIn({L"D:\\other\\b.mp3", L"C:\\dl\\a.mp3"}, L"C:\\dl", AsciiUpper));
    EXPECT_FALSE(FirstPathIsIn({L"a.mp3"}, L"C:\\dl", AsciiUpper));
    EXPECT_FALSE(FirstPathIsIn({}, L"C:\\dl", AsciiUpper));
    EXPECT_TRUE(AnyPathIsIn({L"D:\\other\\b.mp3", L"C:\\DL\\a.mp3"}, L"c:\\dl", AsciiUpper));
    EXPECT_FALSE(AnyPathIsIn({L"D:\\other\\b.mp3", L"C:\\dl\\sub\\a.mp3"}, L"C:\\dl", AsciiUpper));
}

TEST(DropRules, DestinationsKeepTheDataOrderAndTakeTheNameAfterTheLastBackslash) {
    const std::vector<std::wstring> paths{L"C:\\b\\z.mp3", L"\\\\srv\\s\\a 1.txt", L"bare.txt", L"C:\\dir\\"};
    EXPECT_EQ(DropDestinations(paths, L"E:\\to"),
              (std::vector<std::wstring>{L"E:\\to\\z.mp3", L"E:\\to\\a 1.txt", L"E:\\to\\bare.txt", L"E:\\to\\"}));
    EXPECT_EQ(DropDestinations({L"C:\\b\\z.mp3"}, L"E:\\"), std::vector<std::wstring>{L"E:\\z.mp3"});
}

TEST(DropRules, TreeStatusNamesTheNodesFolderOrSaysThereIsNone) {
    const TreeDragSpot usable = TreeDragSpotFor(L"D:\\曲", true, L"C:\\dl");
    EXPECT_EQ(usable.status, L"D:\\曲");
    EXPECT_TRUE(usable.takesDrop);

    for (const TreeDragSpot& spot :
         {TreeDragSpotFor(L"D:\\gone", false, L"C:\\dl"), TreeDragSpotFor(L"", true, L"C:\\dl")}) {
        EXPECT_EQ(spot.status, L"フォルダがありません。");
        EXPECT_FALSE(spot.takesDrop);
    }

    const TreeDragSpot empty = TreeDragSpotFor(std::nullopt, true, L"C:\\dl");
    EXPECT_EQ(empty.status, L"C:\\dl");
    EXPECT_FALSE(empty.takesDrop);
    EXPECT_FALSE(TreeDragSpotFor(std::nullopt, true, std::nullopt).status);
}

}  // namespace
}  // namespace orvane
