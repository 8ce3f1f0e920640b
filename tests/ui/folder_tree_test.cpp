// The tree of registered folders through the real tree view and real data
// files: the build, the commands with scripted dialog answers, renaming in
// place, the rewrite's safety, clicks, hovering and the refresh command.
#include <gtest/gtest.h>

#include "support/list_view_fixture.h"
#include "platform/code_page.h"

namespace orvane {
namespace {

struct TreeTest : test::ListViewTest {
    std::wstring DataFile() const { return folder / L"Orvane.dat"; }
    void WriteData(const std::wstring& lines) { test::WriteAnsiText(DataFile(), lines); }
    std::wstring Data() const { return FromAnsi(test::ReadBytes(DataFile())); }

    // Each node as "caption=folder", indented by depth, in tree order.
    std::wstring Shape() const {
        std::wstring out;
        Walk(TreeView_GetChild(main->TVDir(), treeview::Root(main->TVDir())), 0, out);
        return out;
    }
    void Walk(HTREEITEM item, int depth, std::wstring& out) const {
        for (; item; item = TreeView_GetNextSibling(main->TVDir(), item)) {
            out += std::wstring(depth * 2, L' ') + treeview::Text(main->TVDir(), item) + L"=" +
                   main->Tree().NodeOf(item)->folder + L"\n";
            Walk(TreeView_GetChild(main->TVDir(), item), depth + 1, out);
        }
    }
    HTREEITEM Node(const std::wstring& path) const {  // "Music/Live"
        HTREEITEM at = treeview::Root(main->TVDir());
        std::size_t start = 0;
        while (at && start <= path.size()) {
            const std::size_t slash = path.find(L'/', start);
            const std::wstring name =
                path.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start);
            HTREEITEM child = TreeView_GetChild(main->TVDir(), at);
            while (child && treeview::Text(main->TVDir(), child) != name)
                child = TreeView_GetNextSibling(main->TVDir(), child);
            at = child;
            if (slash == std::wstring::npos) break;
            start = slash + 1;
        }
        return at;
    }
    void Select(HTREEITEM item) { treeview::Select(main->TVDir(), item); }
    bool Expanded(HTREEITEM item) const { return TreeView_GetItemState(main->TVDir(), item, TVIS_EXPANDED) != 0; }
    POINT Center(HTREEITEM item) const {
        RECT r{};
        TreeView_GetItemRect(main->TVDir(), item, &r, TRUE);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // The tree follows the mouse in a loop of its own until the button is
    // released: the release waits in the queue before the press.
    void Press(HTREEITEM item, UINT down, UINT up) {
        const POINT at = Center(item);
        PostMessageW(main->TVDir(), up, 0, MAKELPARAM(at.x, at.y));
        SendMessageW(main->TVDir(), down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(at.x, at.y));
        ProcessPendingMessages();
    }
    // Edits a caption as a user does: types, then Enter (or Escape to cancel).
    bool EditCaption(HTREEITEM item, const wchar_t* text, bool cancel = false) {
        HWND edit = TreeView_EditLabel(main->TVDir(), item);
        if (!edit) return false;
        SetWindowTextW(edit, text);
        SendMessageW(edit, WM_KEYDOWN, cancel ? VK_ESCAPE : VK_RETURN, 0);
        SendMessageW(edit, WM_CHAR, cancel ? VK_ESCAPE : VK_RETURN, 0);
        if (TreeView_GetEditControl(main->TVDir())) TreeView_EndEditLabelNow(main->TVDir(), cancel);
        return true;
    }
};

TEST_F(TreeTest, BuildsNestedExpandedNodesFromTheDataFileWithTheRootSelected) {
    WriteData(
        L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nmusic,D:\\a\r\nPop,Live,E:\\x\r\nDup,D:\\a\r\nDup,D:\\b\r\n"
        L"音楽 , D:\\曲 \r\n\r\n");
    Frm_Main& w = LoadAndShow();
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  Live=E:\\live\nmusic=D:\\a\nPop=\n  Live=E:\\x\nDup=D:\\b\n音楽 =D:\\曲\n");
    EXPECT_EQ(w.Tree().NodeOf(Node(L"Music"))->key, L"Music\\\\\\0");
    EXPECT_EQ(w.Tree().NodeOf(Node(L"Music/Live"))->key, L"Live\\\\\\1");
    EXPECT_TRUE(Expanded(treeview::Root(w.TVDir())));
    EXPECT_TRUE(Expanded(Node(L"Music")));
    EXPECT_EQ(treeview::Selection(w.TVDir()), treeview::Root(w.TVDir()));
}

TEST_F(TreeTest, AOneFieldLineSetsTheRootsFolderAndAWorkFileAloneIsTaken) {
    test::MakeFolder(folder / L"other");
    test::WriteAnsiText(folder / L"Orvane.wk", L"" + folder.path() + L"other\r\nA,D:\\a\r\n");
    Frm_Main& w = LoadAndShow();
    EXPECT_EQ(w.Tree().NodeOf(treeview::Root(w.TVDir()))->folder, folder.path() + L"other");
    EXPECT_EQ(Shape(), L"A=D:\\a\n");
    EXPECT_TRUE(test::Exists(DataFile()));  // the work file became the data file
    EXPECT_FALSE(test::Exists(folder / L"Orvane.wk"));
}

TEST_F(TreeTest, AddAppendsALineUnderTheSelectedNodeAndRefusesWhatCannotBeStored) {
    Frm_Main& w = LoadAndShow();
    dialogs.answerName = L"Music";
    dialogs.answerDir = L"D:\\mp3";
    Command(kCmdRefAdd);  // under the root
    ASSERT_EQ(dialogs.dialogOpenedWith.size(), 1u);
    EXPECT_EQ(dialogs.dialogOpenedWith[0], (std::pair<std::wstring, std::wstring>{L"", L""}));
    Select(Node(L"Music"));
    dialogs.answerName = L"ライブ";
    dialogs.answerDir = L"";
    Command(kCmdRefAdd);  // under Music, with no folder
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\nMusic,ライブ,\r\n");
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  ライブ=\n");
    EXPECT_EQ(treeview::Selection(w.TVDir()), Node(L"Music"));  // the selection stays

    for (const wchar_t* refused : {L"A,B", L"한국"}) {
        dialogs.answerName = refused;
        Command(kCmdRefAdd);
    }
    EXPECT_EQ(shell.messages.size(), 2u);
    dialogs.answerName = L"   ";  // blank: nothing to do, and no message
    Command(kCmdRefAdd);
    dialogs.answerName.reset();  // "キャンセル"
    Command(kCmdRefAdd);
    EXPECT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\nMusic,ライブ,\r\n");

    // A new key never collides with an existing one.
    dialogs.answerName = L"Music";
    dialogs.answerDir = L"D:\\other";
    Command(kCmdRefAdd);
    EXPECT_NE(w.Tree().NodeOf(Node(L"Music/Music"))->key, w.Tree().NodeOf(Node(L"Music"))->key);
}

TEST_F(TreeTest, ChangeRewritesTheNodesLineAndCarriesTheNameBelowItButNeverTouchesTheRoot) {
    test::MakeFolder(downloads);
    WriteData(L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nMusic,Live,Encore,F:\\e\r\nMusic,Lively,G:\\x\r\n");
    Frm_Main& w = LoadOnDownloads();

    dialogs.answerName = L"Root?";
    Command(kCmdRefMod);  // the root: shown, nothing changes
    EXPECT_EQ(dialogs.dialogOpenedWith.back(),
              (std::pair<std::wstring, std::wstring>{L"ＷｉｎＭＸ", downloads + L"\\"}));
    EXPECT_EQ(treeview::Text(w.TVDir(), treeview::Root(w.TVDir())), L"ＷｉｎＭＸ");

    Select(Node(L"Music/Live"));
    dialogs.answerName = L"Concerts";
    dialogs.answerDir = L"F:\\c";
    Command(kCmdRefMod);
    EXPECT_EQ(dialogs.dialogOpenedWith.back(), (std::pair<std::wstring, std::wstring>{L"Live", L"E:\\live"}));
    EXPECT_EQ(Data(),
              L"Music,D:\\mp3\r\nMusic,Concerts,F:\\c\r\nMusic,Concerts,Encore,F:\\e\r\nMusic,Lively,G:\\x\r\n");
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  Concerts=F:\\c\n    Encore=F:\\e\n  Lively=G:\\x\n");

    dialogs.answerName.reset();  // "キャンセル" changes nothing
    Command(kCmdRefMod);
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  Concerts=F:\\c\n    Encore=F:\\e\n  Lively=G:\\x\n");

    LoadOnDownloads();  // a restart reads back what the user left
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  Concerts=F:\\c\n    Encore=F:\\e\n  Lively=G:\\x\n");
}

TEST_F(TreeTest, RemoveDropsTheNodeWithEverythingBelowItButNotTheRoot) {
    WriteData(L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nMusical,H:\\m\r\n");
    Frm_Main& w = LoadAndShow();
    Command(kCmdRefDel);  // the root is selected: nothing happens
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nMusical,H:\\m\r\n");
    Select(Node(L"Music"));
    Command(kCmdRefDel);
    EXPECT_EQ(Data(), L"Musical,H:\\m\r\n");
    EXPECT_EQ(Shape(), L"Musical=H:\\m\n");
    EXPECT_TRUE(shell.messages.empty());

    Select(Node(L"Musical"));
    Command(kCmdRefDel);  // the last one leaves an empty file, and no work file
    EXPECT_EQ(Data(), L"");
    EXPECT_TRUE(test::Exists(DataFile()));
    EXPECT_FALSE(test::Exists(folder / L"Orvane.wk"));
    EXPECT_EQ(treeview::Count(w.TVDir()), 1);
}

// Picks the entry so many steps down the tree's menu, noting the node
// highlighted while the menu is open.
struct MenuPick {
    int downs = 0;
    HWND tree = nullptr;
    HTREEITEM highlighted = nullptr;
};
void PickFromMenu(HWND popup, HMENU, void* context) {
    auto* pick = static_cast<MenuPick*>(context);
    pick->highlighted = treeview::DropHighlight(pick->tree);
    for (int i = 0; i < pick->downs; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(TreeTest, TheMenuActsOnTheNodeRightClickedAndTheListFollowsARemovedNode) {
    const std::wstring music = folder / L"music";
    test::MakeFolder(music);
    test::MakeFile(music + L"\\song.mp3", 5);
    WriteData(L"Music," + music + L"\r\nGone,D:\\gone\r\n");
    Frm_Main& w = LoadOnDownloads();
    Press(Node(L"Music"), WM_LBUTTONDOWN, WM_LBUTTONUP);
    ASSERT_EQ(Column1(), (std::vector<std::wstring>{L"song.mp3"}));

    // 変更 opens with the right-clicked node's name and folder.
    MenuPick change{2, w.TVDir()};
    test::WhenMenuShows(PickFromMenu, &change);
    Press(Node(L"Gone"), WM_RBUTTONDOWN, WM_RBUTTONUP);
    ProcessPendingMessages();
    EXPECT_EQ(change.highlighted, Node(L"Gone"));
    EXPECT_EQ(treeview::DropHighlight(w.TVDir()), nullptr);
    ASSERT_EQ(dialogs.dialogOpenedWith.size(), 1u);
    EXPECT_EQ(dialogs.dialogOpenedWith[0], (std::pair<std::wstring, std::wstring>{L"Gone", L"D:\\gone"}));

    // 削除 removes it alone; the selection and the list stay.
    MenuPick remove{3, w.TVDir()};
    test::WhenMenuShows(PickFromMenu, &remove);
    Press(Node(L"Gone"), WM_RBUTTONDOWN, WM_RBUTTONUP);
    ProcessPendingMessages();
    EXPECT_EQ(Shape(), L"Music=" + music + L"\n");
    EXPECT_EQ(treeview::Selection(w.TVDir()), Node(L"Music"));
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"song.mp3"}));

    // Removing the node whose folder the list shows moves the list to the node selected then.
    test::WhenMenuShows(PickFromMenu, &remove);
    Press(Node(L"Music"), WM_RBUTTONDOWN, WM_RBUTTONUP);
    ProcessPendingMessages();
    EXPECT_EQ(Data(), L"");
    EXPECT_EQ(treeview::Selection(w.TVDir()), treeview::Root(w.TVDir()));
    EXPECT_EQ(Row(L"song.mp3"), -1);
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), w.Tree().NodeOf(treeview::Root(w.TVDir()))->folder);
}

TEST_F(TreeTest, ExplorerOpensTheSelectedFolderQuotedOrSaysItIsMissing) {
    const std::wstring spaced = folder / L"my music";
    test::MakeFolder(spaced);
    WriteData(L"Music," + spaced + L"\r\nGone," + (folder / L"gone") + L"\r\n");
    LoadAndShow();
    Select(Node(L"Music"));
    test::WhenMenuShows(
        [](HWND popup, HMENU, void*) {  // Down four times to "エクスプローラ", past the separator
            for (int i = 0; i < 4; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        },
        nullptr);
    Press(Node(L"Music"), WM_RBUTTONDOWN, WM_RBUTTONUP);
    ProcessPendingMessages();
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].first, L"explorer");
    EXPECT_EQ(shell.started[0].second, L"/e, /root,\"" + spaced + L"\" /select,\"" + spaced + L"\\\\\"");

    Select(Node(L"Gone"));
    Command(kCmdExplorer);
    EXPECT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.messages, (std::vector<std::wstring>{L"フォルダが存在しません。"}));
}

TEST_F(TreeTest, RenamingInPlaceRewritesTheLineAndRefusesTheRootBlanksAndCommas) {
    WriteData(L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nMusic,Lively,F:\\x\r\nEmpty,\r\n");
    Frm_Main& w = LoadAndShow();
    EXPECT_FALSE(EditCaption(treeview::Root(w.TVDir()), L"X"));  // the root's caption cannot be edited

    ASSERT_TRUE(EditCaption(Node(L"Music/Live"), L"Concerts"));
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\nMusic,Concerts,E:\\live\r\nMusic,Lively,F:\\x\r\nEmpty,\r\n");
    EXPECT_NE(Node(L"Music/Concerts"), nullptr);

    ASSERT_TRUE(EditCaption(Node(L"Empty"), L"Blank"));  // an empty folder stays empty
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\nMusic,Concerts,E:\\live\r\nMusic,Lively,F:\\x\r\nBlank,\r\n");

    const std::wstring before = Data();
    EditCaption(Node(L"Music"), L"Other", true);  // cancelled
    EditCaption(Node(L"Music"), L"  ");           // blank
    EditCaption(Node(L"Music"), L"A,B");          // cannot be stored
    EXPECT_EQ(Data(), before);
    EXPECT_NE(Node(L"Music"), nullptr);
    EXPECT_EQ(shell.messages.size(), 1u);
}

TEST_F(TreeTest, AFailedRewriteLeavesTheDataFileAndTheTreeAsTheyWere) {
    const std::wstring lines = L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\n";
    WriteData(lines);
    Frm_Main& w = LoadAndShow();
    const std::wstring shape = Shape();
    RewriteFaults each[3];
    each[0].failWrite = true;
    each[1].failFlush = true;
    each[2].failReplace = true;
    for (const RewriteFaults& faults : each) {
        rewriteFaults = faults;
        Select(Node(L"Music"));
        Command(kCmdRefDel);
        dialogs.answerName = L"Songs";
        dialogs.answerDir = L"D:\\s";
        Command(kCmdRefMod);
        EditCaption(Node(L"Music/Live"), L"Concerts");
        EXPECT_EQ(Data(), lines);
        EXPECT_EQ(Shape(), shape);
        EXPECT_FALSE(test::Exists(folder / L"Orvane.wk"));
    }
    EXPECT_EQ(shell.messages.size(), 9u);  // each failure is told

    rewriteFaults = {};
    Select(Node(L"Music/Live"));
    Command(kCmdRefDel);
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\n");
}

TEST_F(TreeTest, HostileLinesAreReadSafelyAndEveryLineNotChangedIsWrittenBackByteForByte) {
    std::string deep;
    for (int i = 0; i < 20000; ++i) deep += "x,";
    // A byte-order mark, a stray lead byte before ",", a line nested far too
    // deep, a last line without its end.
    const std::string kept = "\xEF\xBB\xBFMusic,D:\\mp3\r\nBad\x81,X:\\b\r\n" + deep + "D:\\deep\r\n";
    test::WriteBytes(DataFile(), kept + "Pop,Z:\\p");
    Frm_Main& w = LoadAndShow();
    EXPECT_EQ(treeview::Count(w.TVDir()), 4);  // the deep line is not shown
    const HTREEITEM bad = TreeView_GetNextSibling(w.TVDir(), TreeView_GetChild(w.TVDir(), treeview::Root(w.TVDir())));
    EXPECT_EQ(w.Tree().NodeOf(bad)->folder,
              L"X:\\b");  // the comma after the stray byte still separates

    dialogs.answerName = L"NewOne";
    dialogs.answerDir = L"Z:\\n";
    Command(kCmdRefAdd);
    EXPECT_EQ(test::ReadBytes(DataFile()), kept + "Pop,Z:\\p\r\nNewOne,Z:\\n\r\n");
    ASSERT_TRUE(EditCaption(Node(L"Pop"), L"Rock"));
    EXPECT_EQ(test::ReadBytes(DataFile()), kept + "Rock,Z:\\p\r\nNewOne,Z:\\n\r\n");
    Select(Node(L"NewOne"));
    Command(kCmdRefDel);
    EXPECT_EQ(test::ReadBytes(DataFile()), kept + "Rock,Z:\\p\r\n");
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(TreeTest, ACaptionASiblingHasAlreadyIsRefusedSoThatNoLineStandsForTwoNodes) {
    const std::wstring lines = L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nMusical,H:\\m\r\n";
    WriteData(lines);
    Frm_Main& w = LoadAndShow();
    dialogs.answerName = L"Music";
    dialogs.answerDir = L"F:\\new";
    Command(kCmdRefAdd);  // under the root, beside Music
    Select(Node(L"Musical"));
    Command(kCmdRefMod);  // Musical renamed Music by the dialog
    EditCaption(Node(L"Musical"), L"Music");
    EXPECT_EQ(shell.messages.size(), 3u);
    EXPECT_EQ(Data(), lines);
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  Live=E:\\live\nMusical=H:\\m\n");

    // Its own caption, another case, or the same name at another level are no
    // clash.
    dialogs.answerName = L"Musical";
    dialogs.answerDir = L"H:\\n";
    Command(kCmdRefMod);
    ASSERT_TRUE(EditCaption(Node(L"Musical"), L"music"));
    Select(Node(L"Music/Live"));
    dialogs.answerName = L"Music";
    dialogs.answerDir = L"E:\\x";
    Command(kCmdRefMod);
    EXPECT_EQ(shell.messages.size(), 3u);
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\nMusic,Music,E:\\x\r\nmusic,H:\\n\r\n");

    // A change to a folder the data file cannot hold is refused too.
    Select(Node(L"music"));
    for (const wchar_t* folder : {L"H:\\a,b", L"H:\\한국"}) {
        dialogs.answerDir = folder;
        Command(kCmdRefMod);
    }
    EXPECT_EQ(shell.messages.size(), 5u);
    EXPECT_EQ(w.Tree().NodeOf(Node(L"music"))->folder, L"H:\\n");
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\nMusic,Music,E:\\x\r\nmusic,H:\\n\r\n");
}

TEST_F(TreeTest, AReadOnlyDataFileIsNeverReplacedAndEveryCommandSaysSo) {
    const std::wstring lines = L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\n";
    WriteData(lines);
    SetFileAttributesW(DataFile().c_str(), FILE_ATTRIBUTE_READONLY);
    LoadAndShow();
    const std::wstring shape = Shape();
    dialogs.answerName = L"Pop";
    dialogs.answerDir = L"P:\\";
    Command(kCmdRefAdd);
    Select(Node(L"Music/Live"));
    Command(kCmdRefMod);
    EditCaption(Node(L"Music/Live"), L"Concerts");
    Command(kCmdRefDel);
    EXPECT_EQ(shell.messages.size(), 4u);
    EXPECT_EQ(Data(), lines);
    EXPECT_EQ(Shape(), shape);
    EXPECT_TRUE(GetFileAttributesW(DataFile().c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(DataFile().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(TreeTest, AWorkFileLeftAloneIsTakenBeforeAnyWriteAndLongCaptionsAreWrittenWhole) {
    const std::wstring longName(1500, L'長');
    WriteData(longName + L",L:\\\r\n" + longName + L",Child,C:\\\r\n");
    LoadAndShow();
    ASSERT_TRUE(EditCaption(Node(longName + L"/Child"), L"Kid"));
    Select(Node(longName));
    dialogs.answerName = L"Two";
    dialogs.answerDir = L"T:\\";
    Command(kCmdRefAdd);
    const std::wstring expected = longName + L",L:\\\r\n" + longName + L",Kid,C:\\\r\n" + longName + L",Two,T:\\\r\n";
    EXPECT_EQ(Data(), expected);

    // A rewrite stopped after the data file was gone: the work file holds the
    // folders.
    MoveFileW(DataFile().c_str(), (folder / L"Orvane.wk").c_str());
    Select(treeview::Root(main->TVDir()));
    dialogs.answerName = L"Three";
    Command(kCmdRefAdd);
    EXPECT_EQ(Data(), expected + L"Three,T:\\\r\n");
    EXPECT_FALSE(test::Exists(folder / L"Orvane.wk"));
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(TreeTest, TheRootsRefreshReadsTheClientsListFileFromTheDownloadFolder) {
    const std::wstring name = L"__INCOMPLETE___a00000064.zip";
    test::WriteAnsiText(File(L"incomplete downloads.txt"),
                        L"Local Path:C:\\x\\" + name + L"\r\nr\r\nSize: 40\r\nUser:taro\r\n");
    const std::wstring other = folder / L"other";
    test::MakeFolder(other);
    test::MakeFile(other + L"\\" + name, 10);
    WriteData(other + L"\r\n");  // a line of one field gives the root another folder
    LoadOnDownloads();
    Command(kCmdRefresh);
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(Text(0, Column::User), L"taro");
}

TEST_F(TreeTest, AddRefusesANodeDeeperThanTheDataFileIsRead) {
    std::wstring line;
    for (std::size_t i = 1; i < kMaxFolderDepth; ++i) line += L"n,";
    WriteData(line + L"last,D:\\\r\n");
    LoadAndShow();
    HTREEITEM deepest = treeview::Root(main->TVDir());
    while (HTREEITEM child = TreeView_GetChild(main->TVDir(), deepest)) deepest = child;
    dialogs.answerName = L"deeper";
    Select(deepest);
    Command(kCmdRefAdd);
    Select(TreeView_GetParent(main->TVDir(), deepest));
    Command(kCmdRefAdd);  // one level up still fits
    EXPECT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(Data(), line + L"last,D:\\\r\n" + line + L"deeper,\r\n");
}

TEST_F(TreeTest, LeftClicksListTheNodesFolderRightClicksDoNotAndHoverShowsFolders) {
    test::MakeFile(File(L"__INCOMPLETE___a00000064.zip"), 10);
    test::WriteAnsiText(File(L"incomplete downloads.txt"),
                        L"Local Path:C:\\x\\__INCOMPLETE___a00000064.zip\r\nr\r\nSize: 40\r\nUser:taro\r\n");
    const std::wstring music = folder / L"music";
    test::MakeFolder(music);
    test::MakeFile(music + L"\\__INCOMPLETE___a00000064.zip", 10);
    test::MakeFile(music + L"\\song.mp3", 5);
    WriteData(L"Music," + music + L"\r\nGone," + (folder / L"gone") + L"\r\n");
    Frm_Main& w = LoadOnDownloads();
    ASSERT_EQ(Count(), 2);

    // Right button: the menu of the registered folders, and no listing.
    std::vector<std::wstring> entries;
    test::WhenMenuShows(
        [](HWND, HMENU menu, void* out) {
            for (int i = 0; i < GetMenuItemCount(menu); ++i)
                static_cast<std::vector<std::wstring>*>(out)->push_back(menu::Text(menu, i, true));
            EndMenu();
        },
        &entries);
    Press(Node(L"Music"), WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"追加", L"変更", L"削除", L"", L"エクスプローラ"}));
    EXPECT_FALSE(w.Tree().LastPressWasLeft());
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(treeview::Selection(w.TVDir()), treeview::Root(w.TVDir()));  // the right click selects nothing
    Press(Node(L"Music"), WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_TRUE(w.Tree().LastPressWasLeft());
    EXPECT_EQ(Count(), 2);
    EXPECT_GE(Row(L"song.mp3"), 0);
    EXPECT_EQ(Text(Row(L"__INCOMPLETE___a00000064.zip"), Column::Total), L"100");  // not the client's folder
    EXPECT_EQ(Text(Row(L"__INCOMPLETE___a00000064.zip"), Column::User), L"");
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), music);

    test::MakeFile(music + L"\\new.txt", 1);
    Press(Node(L"Music"), WM_LBUTTONDOWN, WM_LBUTTONUP);  // the selected node again: listed again
    EXPECT_EQ(Count(), 3);

    Press(treeview::Root(w.TVDir()), WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(Text(Row(L"__INCOMPLETE___a00000064.zip"), Column::User), L"taro");

    Press(Node(L"Gone"), WM_LBUTTONDOWN, WM_LBUTTONUP);  // a folder that is gone empties the list
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), folder / L"gone");

    const POINT over = Center(Node(L"Music"));
    SendMessageW(w.TVDir(), WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), music);
    SendMessageW(w.TVDir(), WM_MOUSEMOVE, 0, MAKELPARAM(over.x, 2000));  // empty space: the selected node's
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), folder / L"gone");

    test::MakeFolder(folder / L"gone");
    test::MakeFile(folder / L"gone\\back.txt", 1);
    Command(kCmdRefresh);  // "更新", F5: the selected node's folder again
    EXPECT_EQ(Count(), 1);
}

}  // namespace
}  // namespace orvane
