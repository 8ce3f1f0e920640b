// The folder tree in the main window: what a click on a node chooses is
// listed in the real list, and what the pointer is over is named in the
// status bar.
#include <gtest/gtest.h>

#include "support/list_view_fixture.h"
#include "support/tree_reader.h"

namespace orvane {
namespace {

struct TreeWindowTest : test::ListViewTest, test::TreeReader {
    const FolderTree& Tree() const override { return main->Tree(); }
    std::wstring ProgramFolder() const override { return folder.path(); }
};

TEST_F(TreeWindowTest, AClickOnANodeListsItsFolderAndTheStatusBarNamesTheFoldersHovered) {
    const std::wstring name = L"__INCOMPLETE___a00000064.zip";
    test::MakeFile(File(name), 10);
    test::WriteAnsiText(File(L"incomplete downloads.txt"),
                        L"Local Path:C:\\x\\" + name + L"\r\nr\r\nSize: 40\r\nUser:taro\r\n");
    const std::wstring music = folder / L"music";
    test::MakeFolder(music);
    test::MakeFile(music + L"\\" + name, 10);
    test::MakeFile(music + L"\\song.mp3", 5);
    const std::wstring other = folder / L"other";
    test::MakeFolder(other);
    test::MakeFile(other + L"\\" + name, 10);
    // A line of one field gives the root another folder than the client's.
    WriteData(other + L"\r\nMusic," + music + L"\r\nGone," + (folder / L"gone") + L"\r\n");
    Frm_Main& w = LoadOnDownloads();
    ASSERT_EQ(Count(), 2);

    // A click lists on a worker: the rows are in once the window has run its messages.
    Press(Node(L"Music"), WM_LBUTTONDOWN, WM_LBUTTONUP);
    Settle();
    EXPECT_EQ(Count(), 2);
    EXPECT_GE(Row(L"song.mp3"), 0);
    EXPECT_EQ(Text(Row(name), Column::Total), L"100");  // not the client's folder
    EXPECT_EQ(Text(Row(name), Column::User), L"");
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), music);

    // The root's folder is the client's: its list file is read from the
    // download folder.
    Press(Root(), WM_LBUTTONDOWN, WM_LBUTTONUP);
    Settle();
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(Text(0, Column::User), L"taro");

    Press(Node(L"Gone"), WM_LBUTTONDOWN, WM_LBUTTONUP);  // a folder that is gone empties the list
    Settle();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), folder / L"gone");

    const POINT over = Center(Node(L"Music"));
    MoveMouse(over);
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), music);
    MoveMouse(POINT{over.x, 2000});  // empty space: the listed folder
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), folder / L"gone");

    test::MakeFolder(folder / L"gone");
    test::MakeFile(folder / L"gone\\back.txt", 1);
    Command(kCmdRefresh);  // "更新", F5: the selected node's folder again
    EXPECT_EQ(Count(), 1);
}

TEST_F(TreeWindowTest, TheFolderShownAtClosingIsShownAtTheNextStartWhileItIsThere) {
    test::MakeFile(File(L"in downloads.txt"), 1);
    const std::wstring live = folder / L"live";
    test::MakeFolder(live);
    test::MakeFile(live + L"\\song.mp3", 5);
    WriteData(L"音楽," + (folder / L"music") + L"\r\n音楽,ライブ," + live + L"\r\nGone," + (folder / L"gone") +
              L"\r\n");
    // Closed on a registered folder below another: it comes back, chosen in the tree.
    LoadOnDownloads();
    TreeView_Expand(main->TVDir(), Node(L"音楽"), TVE_EXPAND);
    Press(Node(L"音楽/ライブ"), WM_LBUTTONDOWN, WM_LBUTTONUP);
    Settle();
    ASSERT_EQ(Column1(), std::vector<std::wstring>{L"song.mp3"});
    SendMessageW(main->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ini.GetIni(L"VIEW", L"SHOWN", L""), L"音楽,ライブ");
    Frm_Main& again = Load();
    EXPECT_EQ(Column1(), std::vector<std::wstring>{L"song.mp3"});
    EXPECT_EQ(treeview::Selection(again.TVDir()), Node(L"音楽/ライブ"));
    EXPECT_EQ(statusbar::Text(again.SBMain(), 0), live);
    // Its folder gone, or closed on the root: the client's folder.
    DeleteFileW((live + L"\\song.mp3").c_str());
    ASSERT_TRUE(RemoveDirectoryW(live.c_str()));
    SendMessageW(again.hwnd(), WM_CLOSE, 0, 0);
    Load();
    EXPECT_EQ(Column1(), std::vector<std::wstring>{L"in downloads.txt"});
    EXPECT_EQ(treeview::Selection(main->TVDir()), Root());
    SendMessageW(main->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ini.GetIni(L"VIEW", L"SHOWN", L"none"), L"");
}

}  // namespace
}  // namespace orvane
