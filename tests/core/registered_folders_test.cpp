#include "core/registered_folders.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

// Each node as "name path=folder", in build order, so one comparison shows nesting, order and folders.
std::vector<std::wstring> Tree(const FolderTreeModel& model) {
    std::vector<std::wstring> shown;
    for (const StoredFolder& node : model.folders) {
        std::vector<std::wstring> captions{node.caption};
        for (int p = node.parent; p >= 0; p = model.folders[p].parent) {
            captions.insert(captions.begin(), model.folders[p].caption);
        }
        shown.push_back(NamePath(captions) + L"=" + node.folder);
    }
    return shown;
}

using Lines = std::vector<std::wstring>;

TEST(FolderStore, ReadBuildsNestedNodesWithRunningKeys) {
    const FolderTreeModel model = ReadFolderLines({L"Music,D:\\mp3", L"Music,Live,E:\\live"});
    EXPECT_EQ(Tree(model), (Lines{L"Music=D:\\mp3", L"Music,Live=E:\\live"}));
    ASSERT_EQ(model.folders.size(), 2u);
    EXPECT_EQ(model.folders[0].parent, -1);
    EXPECT_EQ(model.folders[1].parent, 0);
    EXPECT_EQ(model.folders[0].key, L"Music\\\\\\0");
    EXPECT_EQ(model.folders[1].key, L"Live\\\\\\1");
    EXPECT_FALSE(model.rootFolder.has_value());

    // The counter runs across lines and levels; a missing middle level is created with no folder.
    const FolderTreeModel deep = ReadFolderLines({L"Jazz,J:\\", L"Pop,Live,E:\\x", L"Pop,Studio,S:\\"});
    EXPECT_EQ(Tree(deep), (Lines{L"Jazz=J:\\", L"Pop=", L"Pop,Live=E:\\x", L"Pop,Studio=S:\\"}));
    EXPECT_EQ(deep.folders[2].key, L"Live\\\\\\2");
    EXPECT_EQ(deep.folders[3].key, L"Studio\\\\\\3");
    EXPECT_EQ(deep.folders[3].parent, 1);
}

TEST(FolderStore, ReadMatchesNamesExactlyAndLetTheLaterLineWin) {
    EXPECT_EQ(Tree(ReadFolderLines({L"Music,D:\\a", L"Music,D:\\b"})), (Lines{L"Music=D:\\b"}));
    EXPECT_EQ(Tree(ReadFolderLines({L"music,D:\\a", L"Music,D:\\b"})), (Lines{L"music=D:\\a", L"Music=D:\\b"}));

    // Names stand as written; only the folder loses its surrounding blanks.
    const FolderTreeModel spaced = ReadFolderLines({L"Music , D:\\mp3", L"Music, \tE:\\x\t "});
    EXPECT_EQ(Tree(spaced), (Lines{L"Music =D:\\mp3", L"Music=E:\\x"}));
    EXPECT_EQ(spaced.folders[0].caption, L"Music ");

    // A line of a parent that comes after its child fills in the folder of the node already there.
    EXPECT_EQ(Tree(ReadFolderLines({L"Pop,Live,E:\\x", L"Pop,P:\\"})), (Lines{L"Pop=P:\\", L"Pop,Live=E:\\x"}));

    // The same name under different parents is two nodes.
    EXPECT_EQ(Tree(ReadFolderLines({L"A,Live,1", L"B,Live,2"})), (Lines{L"A=", L"A,Live=1", L"B=", L"B,Live=2"}));

    const FolderTreeModel japanese =
        ReadFolderLines({L"音楽,D:\\音楽", L"音楽,ライブ,E:\\ライブ", L"音楽,ライブ,E:\\生"});
    EXPECT_EQ(Tree(japanese), (Lines{L"音楽=D:\\音楽", L"音楽,ライブ=E:\\生"}));
    EXPECT_EQ(japanese.folders[1].key, L"ライブ\\\\\\1");
}

TEST(FolderStore, ReadTakesOneFieldLinesForTheRootAndSkipsEmptyLines) {
    const FolderTreeModel model = ReadFolderLines({L"", L"C:\\first", L"Music,D:\\mp3", L"", L"  C:\\other "});
    EXPECT_EQ(model.rootFolder, L"C:\\other");
    EXPECT_EQ(Tree(model), (Lines{L"Music=D:\\mp3"}));
    EXPECT_EQ(model.folders[0].key, L"Music\\\\\\0");

    EXPECT_TRUE(ReadFolderLines({}).folders.empty());
    EXPECT_TRUE(ReadFolderLines({L"", L""}).folders.empty());
    EXPECT_FALSE(ReadFolderLines({L""}).rootFolder.has_value());

    // An empty last field is a node with no folder; an empty name is a node with an empty caption.
    EXPECT_EQ(Tree(ReadFolderLines({L"Music,", L",X:\\"})), (Lines{L"Music=", L"=X:\\"}));
}

TEST(FolderStore, ReadSkipsLinesNestedDeeperThanAnyRegistration) {
    std::wstring deepest, tooDeep;
    for (std::size_t i = 0; i < kMaxFolderDepth; ++i) deepest += L"n,";
    tooDeep = deepest + L"n,";
    const FolderTreeModel model = ReadFolderLines({deepest + L"D:\\deep", tooDeep + L"D:\\x", L"A,D:\\a"});
    ASSERT_EQ(model.folders.size(),
              kMaxFolderDepth + 1);  // 64 levels read, the 65-level line skipped whole
    EXPECT_EQ(model.folders[kMaxFolderDepth - 1].folder, L"D:\\deep");
    EXPECT_EQ(model.folders.back().caption, L"A");

    std::wstring huge;
    for (int i = 0; i < 20000; ++i) huge += L"x,";
    EXPECT_TRUE(ReadFolderLines({huge + L"D:\\"}).folders.empty());
}

TEST(FolderStore, ReadKeepsUpWithManyLines) {
    Lines lines;
    for (int i = 0; i < 3000; ++i) {
        lines.push_back(L"Top" + std::to_wstring(i % 50) + L",Sub" + std::to_wstring(i) + L",F" + std::to_wstring(i));
    }
    const FolderTreeModel model = ReadFolderLines(lines);
    ASSERT_EQ(model.folders.size(), 3050u);
    EXPECT_EQ(model.folders.back().caption, L"Sub2999");
    EXPECT_EQ(model.folders.back().folder, L"F2999");
    EXPECT_EQ(model.folders[model.folders.back().parent].caption, L"Top49");
}

TEST(FolderStore, NamePathLineAndStorableName) {
    EXPECT_EQ(NamePath({L"Music", L"Live"}), L"Music,Live");
    EXPECT_EQ(NamePath({L"Music"}), L"Music");
    EXPECT_EQ(FolderLine({L"Music"}, L"Live", L"E:\\live"), L"Music,Live,E:\\live");
    EXPECT_EQ(FolderLine({}, L"Music", L"D:\\mp3"), L"Music,D:\\mp3");
    EXPECT_EQ(FolderLine({L"Music", L"Live"}, L"Encore", L""), L"Music,Live,Encore,");
    EXPECT_TRUE(StorableName(L"音楽 Live"));
    EXPECT_FALSE(StorableName(L"Rock,Pop"));
}

TEST(FolderStore, RenameReplacesTheOwnLineAndKeepsSiblings) {
    const Lines file{L"Music,D:\\mp3", L"Music,Live,E:\\live", L"Music,Lively,F:\\x"};
    const std::wstring newLine = FolderLine({L"Music"}, L"Concerts", L"E:\\live");
    const Lines renamed = RewriteLines(file, [&](const std::wstring& l) {
        return RenameOrChangeRule(l, NamePath({L"Music", L"Live"}), newLine);
    });
    EXPECT_EQ(renamed, (Lines{L"Music,D:\\mp3", L"Music,Concerts,E:\\live", L"Music,Lively,F:\\x"}));

    // A node whose folder was never set writes a line with an empty last field; duplicates all follow.
    const Lines empty = RewriteLines(Lines{L"Pop,", L"Pop,", L"Popular,P:\\"},
                                     [](const std::wstring& l) { return RenameOrChangeRule(l, L"Pop", L"Hits,"); });
    EXPECT_EQ(empty, (Lines{L"Hits,", L"Hits,", L"Popular,P:\\"}));

    // The change command gives a new folder too.
    const Lines changed = RewriteLines(
        file, [](const std::wstring& l) { return RenameOrChangeRule(l, L"Music,Live", L"Music,Concerts,F:\\c"); });
    EXPECT_EQ(changed, (Lines{L"Music,D:\\mp3", L"Music,Concerts,F:\\c", L"Music,Lively,F:\\x"}));

    EXPECT_EQ(RenameOrChangeRule(L"Music", L"Music", L"Songs,S:\\").action, LineChange::Action::Keep);
    EXPECT_EQ(RenameOrChangeRule(L"Musi,X", L"Music", L"Songs,S:\\").action, LineChange::Action::Keep);
}

TEST(FolderStore, RenameCarriesTheNewNameIntoFoldersBelow) {
    const Lines file{L"Music,D:\\mp3", L"Music,Live,E:\\live", L"Music,Live,Encore,F:\\e", L"Musical,H:\\m"};
    const auto toSongs = [](const std::wstring& l) { return RenameOrChangeRule(l, L"Music", L"Songs,D:\\songs"); };
    const Lines renamed = RewriteLines(file, toSongs);
    EXPECT_EQ(renamed,
              (Lines{L"Songs,D:\\songs", L"Songs,Live,E:\\live", L"Songs,Live,Encore,F:\\e", L"Musical,H:\\m"}));

    // Read back, the renamed folder holds its subtree and no node of the old name comes back.
    EXPECT_EQ(Tree(ReadFolderLines(renamed)),
              (Lines{L"Songs=D:\\songs", L"Songs,Live=E:\\live", L"Songs,Live,Encore=F:\\e", L"Musical=H:\\m"}));

    // A middle level: only its own subtree moves.
    const Lines middle = RewriteLines(
        file, [](const std::wstring& l) { return RenameOrChangeRule(l, L"Music,Live", L"Music,Concerts,E:\\live"); });
    EXPECT_EQ(Tree(ReadFolderLines(middle)),
              (Lines{L"Music=D:\\mp3", L"Music,Concerts=E:\\live", L"Music,Concerts,Encore=F:\\e", L"Musical=H:\\m"}));
}

TEST(FolderStore, RemoveDropsTheFolderAndEverythingBelowIt) {
    const Lines file{L"Music,D:\\mp3", L"Music,Live,E:\\live", L"Musical,H:\\m"};
    EXPECT_EQ(RewriteLines(file, [](const std::wstring& l) { return RemoveRule(l, L"Music"); }),
              (Lines{L"Musical,H:\\m"}));
    EXPECT_EQ(RewriteLines(file, [](const std::wstring& l) { return RemoveRule(l, L"Music,Live"); }),
              (Lines{L"Music,D:\\mp3", L"Musical,H:\\m"}));
    EXPECT_TRUE(RewriteLines(Lines{L"Music,D:\\mp3", L"Music,Live,E:\\live"}, [](const std::wstring& l) {
                    return RemoveRule(l, L"Music");
                }).empty());
    EXPECT_EQ(RemoveRule(L"Music", L"Music").action, LineChange::Action::Keep);
}

}  // namespace
}  // namespace orvane
