#include "core/drop_rules.h"

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

TEST(DropRules, EffectFollowsTheKeysAndTheDriveWithinWhatTheSourceAllows) {
    const std::uint32_t both = kDropCopy | kDropMove;
    for (const bool sameDrive : {true, false}) {
        // Without keys: moved within a drive, copied from another.
        EXPECT_EQ(sameDrive ? kDropMove : kDropCopy, DropEffectFor(0, both, sameDrive));
        EXPECT_EQ(sameDrive ? kDropMove : kDropCopy, DropEffectFor(kLeftButton | kAlt, both, sameDrive));
        EXPECT_EQ(kDropMove, DropEffectFor(kLeftButton | kKeyShift | kAlt, both, sameDrive));
        EXPECT_EQ(kDropCopy, DropEffectFor(kKeyControl, both, sameDrive));
        EXPECT_EQ(kDropCopy, DropEffectFor(kKeyControl | kKeyShift, both, sameDrive));
        EXPECT_EQ(kDropCopy, DropEffectFor(kKeyShift, kDropCopy | 4, sameDrive));  // only copy (and link) allowed
        EXPECT_EQ(kDropMove, DropEffectFor(0, kDropMove | 4, sameDrive));          // only move (and link)
        // The list's own drag offers one effect: the keys of the drag change nothing.
        EXPECT_EQ(kDropMove, DropEffectFor(kKeyControl, ListDragEffect(false), sameDrive));
        EXPECT_EQ(kDropCopy, DropEffectFor(kKeyShift, ListDragEffect(true), sameDrive));
        EXPECT_EQ(kDropNone, DropEffectFor(kKeyControl, 4, sameDrive));  // link only
        EXPECT_EQ(kDropNone, DropEffectFor(0, kDropNone, sameDrive));
    }

    EXPECT_EQ(FileTransfer::Copy, TransferForDrop(kDropCopy));
    EXPECT_EQ(FileTransfer::Move, TransferForDrop(kDropMove));
    for (const std::uint32_t effect : {kDropNone, kDropCopy | kDropMove, std::uint32_t{4}})
        EXPECT_FALSE(TransferForDrop(effect)) << effect;  // nothing is moved on an effect nobody chose

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
    EXPECT_TRUE(IsSameFolder(L"C:\\DL", L"c:\\dl\\", AsciiUpper));
    EXPECT_FALSE(IsSameFolder(L"C:\\dl", L"C:\\dl\\sub", AsciiUpper));
    EXPECT_FALSE(IsSameFolder(L"", L"", AsciiUpper));
}

TEST(DropRules, DestinationsKeepTheDataOrderAndTakeTheNameAfterTheLastBackslash) {
    const std::vector<std::wstring> paths{L"C:\\b\\z.mp3", L"\\\\srv\\s\\a 1.txt", L"bare.txt", L"C:\\dir\\"};
    EXPECT_EQ(DropDestinations(paths, L"E:\\to"),
              (std::vector<std::wstring>{L"E:\\to\\z.mp3", L"E:\\to\\a 1.txt", L"E:\\to\\bare.txt", L"E:\\to\\"}));
    EXPECT_EQ(DropDestinations({L"C:\\b\\z.mp3"}, L"E:\\"), std::vector<std::wstring>{L"E:\\z.mp3"});
}

TEST(DropRules, APlanNamesTheFilesThatWouldReplaceAnotherAndThoseThatCannotGo) {
    const std::vector<std::wstring> sources{L"C:\\a\\x.txt", L"C:\\a\\new.txt",  L"C:\\b\\X.TXT",
                                            L"C:\\a\\sub",   L"C:\\a\\kept.txt", L"C:\\c\\kept.txt"};
    std::vector<std::wstring> asked;
    const auto occupant = [&](const std::wstring& destination) {
        asked.push_back(destination);
        if (destination == L"E:\\to\\x.txt" || destination == L"E:\\to\\kept.txt") return Occupant::File;
        return destination == L"E:\\to\\sub" ? Occupant::Folder : Occupant::None;
    };
    const TransferPlan plan = PlanTransfer(sources, L"E:\\to", occupant, AsciiUpper);
    EXPECT_EQ(plan.destinations, DropDestinations(sources, L"E:\\to"));
    EXPECT_EQ(plan.taken, (std::vector<std::size_t>{0, 4}));
    // A second file of one name never lands on the first, whatever was there before.
    EXPECT_EQ(plan.blocked, (std::vector<std::size_t>{2, 3, 5}));
    EXPECT_EQ(asked.size(), 4u);

    const TransferPlan free = PlanTransfer({L"C:\\a\\x.txt"}, L"E:\\", occupant, AsciiUpper);
    EXPECT_TRUE(free.taken.empty() && free.blocked.empty());
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
