// The tree of registered folders alone, through the real tree view and real
// data files: the build, the commands with scripted dialog answers, renaming
// in place, the rewrite's safety, clicks, keys, hovering and its menu, and
// what it tells the window around it.
#include <gtest/gtest.h>

#include "support/folder_tree_fixture.h"

namespace orvane {
namespace {

using Chosen = std::vector<std::pair<std::wstring, bool>>;

struct TreeTest : test::FolderTreeTest {
    std::wstring downloads = folder / L"downloads";

    // Starts with the client's download folder set, which the root names.
    FolderTree& LoadOnDownloads() {
        WriteSettings(L"[PATH]\r\nFILE_PATH=" + downloads + L"\r\n");
        return Load();
    }
};

TEST_F(TreeTest, BuildsNestedExpandedNodesFromTheDataFileWithTheRootSelected) {
    WriteData(
        L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nmusic,D:\\a\r\nPop,Live,E:\\x\r\nDup,D:\\a\r\nDup,D:\\b\r\n"
        L"音楽 , D:\\曲 \r\n\r\n");
    FolderTree& tree = Load();
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  Live=E:\\live\nmusic=D:\\a\nPop=\n  Live=E:\\x\nDup=D:\\b\n音楽 =D:\\曲\n");
    EXPECT_EQ(tree.NodeOf(Node(L"Music"))->key, L"Music\\\\\\0");
    EXPECT_EQ(tree.NodeOf(Node(L"Music/Live"))->key, L"Live\\\\\\1");
    EXPECT_TRUE(Expanded(Root()));
    EXPECT_TRUE(Expanded(Node(L"Music")));
    EXPECT_EQ(treeview::Selection(TVDir()), Root());
    EXPECT_TRUE(listener.chosen.empty());  // the window lists the client's folder itself
}

TEST_F(TreeTest, AOneFieldLineSetsTheRootsFolderChosenAsTheClientsAndAWorkFileAloneIsTaken) {
    const std::wstring other = folder / L"other";
    test::MakeFolder(other);
    test::WriteAnsiText(WorkFile(), other + L"\r\nA,D:\\a\r\n");
    FolderTree& tree = LoadOnDownloads();
    EXPECT_EQ(tree.NodeOf(Root())->folder, other);
    EXPECT_EQ(Shape(), L"A=D:\\a\n");
    EXPECT_TRUE(test::Exists(DataFile()));  // the work file became the data file
    EXPECT_FALSE(test::Exists(WorkFile()));

    // Refreshed, the root's own folder is listed as the client's: the list
    // reads the client's list file for it.
    tree.ChooseSelected();
    EXPECT_EQ(listener.chosen, (Chosen{{other, true}}));
}

TEST_F(TreeTest, AddAppendsALineUnderTheSelectedNodeAndRefusesWhatCannotBeStored) {
    FolderTree& tree = Load();
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
    EXPECT_EQ(treeview::Selection(TVDir()), Node(L"Music"));  // the selection stays

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
    EXPECT_NE(tree.NodeOf(Node(L"Music/Music"))->key, tree.NodeOf(Node(L"Music"))->key);
    EXPECT_TRUE(listener.chosen.empty());
}

TEST_F(TreeTest, ChangeRewritesTheNodesLineAndCarriesTheNameBelowItButNeverTouchesTheRoot) {
    WriteData(L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nMusic,Live,Encore,F:\\e\r\nMusic,Lively,G:\\x\r\n");
    LoadOnDownloads();

    dialogs.answerName = L"Root?";
    Command(kCmdRefMod);  // the root: shown, nothing changes
    EXPECT_EQ(dialogs.dialogOpenedWith.back(),
              (std::pair<std::wstring, std::wstring>{L"ＷｉｎＭＸ", downloads + L"\\"}));
    EXPECT_EQ(treeview::Text(TVDir(), Root()), L"ＷｉｎＭＸ");

    Select(Node(L"Music/Live"));
    dialogs.answerName = L"Concerts";
    dialogs.answerDir = L"F:\\c";
    Command(kCmdRefMod);
    EXPECT_EQ(dialogs.dialogOpenedWith.back(), (std::pair<std::wstring, std::wstring>{L"Live", L"E:\\live"}));
    EXPECT_EQ(Data(),
              L"Music,D:\\mp3\r\nMusic,Concerts,F:\\c\r\nMusic,Concerts,Encore,F:\\e\r\nMusic,Lively,G:\\x\r\n");
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  Concerts=F:\\c\n    Encore=F:\\e\n  Lively=G:\\x\n");
    EXPECT_EQ(listener.chosen, (Chosen{{L"F:\\c", false}}));  // the list follows the selected node's new folder

    dialogs.answerName.reset();  // "キャンセル" changes nothing
    Command(kCmdRefMod);
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  Concerts=F:\\c\n    Encore=F:\\e\n  Lively=G:\\x\n");

    LoadOnDownloads();  // a restart reads back what the user left
    EXPECT_EQ(Shape(), L"Music=D:\\mp3\n  Concerts=F:\\c\n    Encore=F:\\e\n  Lively=G:\\x\n");
}

TEST_F(TreeTest, RemoveAsksFirstAndDropsTheNodeWithEverythingBelowItButNotTheRoot) {
    const std::wstring lines = L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nMusic,Live,Encore,E:\\e\r\nMusical,H:\\m\r\n";
    WriteData(lines);
    Load();
    Command(kCmdRefDel);  // the root is selected: nothing happens, nothing is asked
    SendMessageW(TVDir(), WM_KEYDOWN, VK_DELETE, 0);
    Select(Node(L"Music"));
    shell.messageAnswer = IDNO;
    SendMessageW(TVDir(), WM_KEYDOWN, VK_DELETE, 0);  // asked, and No keeps everything
    SendMessageW(TVDir(), WM_KEYDOWN, VK_F2, 0);
    SendMessageW(TVDir(), WM_KEYDOWN, VK_DELETE, 0);  // while a caption is edited, Delete is the edit's
    TreeView_EndEditLabelNow(TVDir(), TRUE);
    EXPECT_EQ(shell.messages,
              std::vector<std::wstring>{
                  L"登録フォルダ「Music」を削除しますか？\nこの下の 2 個の登録フォルダも削除されます。"});
    EXPECT_EQ(Data(), lines);
    shell.messageAnswer = IDYES;
    SendMessageW(TVDir(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Data(), L"Musical,H:\\m\r\n");
    EXPECT_EQ(Shape(), L"Musical=H:\\m\n");

    Select(Node(L"Musical"));
    Command(kCmdRefDel);  // 削除 asks too; the last one leaves an empty file, and no work file
    EXPECT_EQ(shell.messages.back(), L"登録フォルダ「Musical」を削除しますか？");
    EXPECT_EQ(Data(), L"");
    EXPECT_TRUE(test::Exists(DataFile()));
    EXPECT_FALSE(test::Exists(WorkFile()));
    EXPECT_EQ(treeview::Count(TVDir()), 1);
}

// Picks the entry so many steps down the tree's menu, noting the node
// highlighted while the menu is open and where the menu opened.
struct MenuPick {
    int downs = 0;
    HWND tree = nullptr;
    HTREEITEM highlighted = nullptr;
    RECT at{};
};
void PickFromMenu(HWND popup, HMENU, void* context) {
    auto* pick = static_cast<MenuPick*>(context);
    pick->highlighted = treeview::DropHighlight(pick->tree);
    GetWindowRect(popup, &pick->at);
    for (int i = 0; i < pick->downs; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(TreeTest, TheMenuActsOnTheNodeRightClickedAndRemovingTheChosenNodeChoosesTheSelectedOne) {
    const std::wstring music = folder / L"music";
    WriteData(L"Music," + music + L"\r\nGone,D:\\gone\r\n");
    LoadOnDownloads();
    Press(Node(L"Music"), WM_LBUTTONDOWN, WM_LBUTTONUP);
    ASSERT_EQ(listener.chosen, (Chosen{{music, false}}));

    // 変更 opens with the right-clicked node's name and folder.
    MenuPick change{2, TVDir()};
    test::WhenMenuShows(PickFromMenu, &change);
    Press(Node(L"Gone"), WM_RBUTTONDOWN, WM_RBUTTONUP);
    ProcessPendingMessages();
    EXPECT_EQ(change.highlighted, Node(L"Gone"));
    EXPECT_EQ(treeview::DropHighlight(TVDir()), nullptr);
    ASSERT_EQ(dialogs.dialogOpenedWith.size(), 1u);
    EXPECT_EQ(dialogs.dialogOpenedWith[0], (std::pair<std::wstring, std::wstring>{L"Gone", L"D:\\gone"}));

    // Shift+F10, the menu key, and WM_CONTEXTMENU from the keyboard as Windows
    // sends it: the menu of the selected node, just below its caption.
    RECT caption{};
    TreeView_GetItemRect(TVDir(), Node(L"Music"), &caption, TRUE);
    MapWindowPoints(TVDir(), nullptr, reinterpret_cast<POINT*>(&caption), 2);
    for (const auto& [message, key, shift] : {std::tuple<UINT, WPARAM, BYTE>{WM_SYSKEYDOWN, VK_F10, 0x80},
                                              {WM_KEYUP, VK_APPS, 0},
                                              {WM_CONTEXTMENU, 0, 0}}) {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift;
        SetKeyboardState(keys);
        test::WhenMenuShows(PickFromMenu, &change);
        SendMessageW(TVDir(), message, key ? key : reinterpret_cast<WPARAM>(TVDir()), key ? 1 : -1);
        ProcessPendingMessages();
        EXPECT_TRUE(change.at.left == caption.left && change.at.top == caption.bottom) << message;
    }
    ASSERT_EQ(dialogs.dialogOpenedWith.size(), 4u);
    EXPECT_EQ(dialogs.dialogOpenedWith[3], (std::pair<std::wstring, std::wstring>{L"Music", music}));

    // 削除 removes it alone; the selection stays, and nothing is chosen anew.
    shell.messageAnswer = IDYES;
    MenuPick remove{3, TVDir()};
    test::WhenMenuShows(PickFromMenu, &remove);
    Press(Node(L"Gone"), WM_RBUTTONDOWN, WM_RBUTTONUP);
    ProcessPendingMessages();
    EXPECT_EQ(Shape(), L"Music=" + music + L"\n");
    EXPECT_EQ(treeview::Selection(TVDir()), Node(L"Music"));
    EXPECT_EQ(listener.chosen, (Chosen{{music, false}}));

    // Removing the node whose folder was chosen chooses the node selected
    // then: the root, with the client's folder.
    test::WhenMenuShows(PickFromMenu, &remove);
    Press(Node(L"Music"), WM_RBUTTONDOWN, WM_RBUTTONUP);
    ProcessPendingMessages();
    EXPECT_EQ(Data(), L"");
    EXPECT_EQ(treeview::Selection(TVDir()), Root());
    EXPECT_EQ(listener.chosen, (Chosen{{music, false}, {downloads + L"\\", true}}));
}

TEST_F(TreeTest, ExplorerOpensTheSelectedFolderQuotedOrSaysItIsMissing) {
    const std::wstring spaced = folder / L"my music";
    test::MakeFolder(spaced);
    WriteData(L"Music," + spaced + L"\r\nGone," + (folder / L"gone") + L"\r\n");
    Load();
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
    Load();
    EXPECT_FALSE(EditCaption(Root(), L"X"));  // the root's caption cannot be edited

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
    Load();
    const std::wstring shape = Shape();
    shell.messageAnswer = IDYES;
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
        EXPECT_FALSE(test::Exists(WorkFile()));
    }
    EXPECT_EQ(shell.messages.size(), 12u);  // each failure is told, after the question of each removal
    EXPECT_TRUE(listener.chosen.empty());   // nor did the list move

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
    FolderTree& tree = Load();
    EXPECT_EQ(treeview::Count(TVDir()), 4);  // the deep line is not shown
    const HTREEITEM bad = TreeView_GetNextSibling(TVDir(), TreeView_GetChild(TVDir(), Root()));
    EXPECT_EQ(tree.NodeOf(bad)->folder, L"X:\\b");  // the comma after the stray byte still separates

    dialogs.answerName = L"NewOne";
    dialogs.answerDir = L"Z:\\n";
    Command(kCmdRefAdd);
    EXPECT_EQ(test::ReadBytes(DataFile()), kept + "Pop,Z:\\p\r\nNewOne,Z:\\n\r\n");
    ASSERT_TRUE(EditCaption(Node(L"Pop"), L"Rock"));
    EXPECT_EQ(test::ReadBytes(DataFile()), kept + "Rock,Z:\\p\r\nNewOne,Z:\\n\r\n");
    Select(Node(L"NewOne"));
    shell.messageAnswer = IDYES;
    Command(kCmdRefDel);
    EXPECT_EQ(test::ReadBytes(DataFile()), kept + "Rock,Z:\\p\r\n");
    EXPECT_EQ(shell.messages.size(), 1u);  // the question alone
}

TEST_F(TreeTest, ACaptionASiblingHasAlreadyIsRefusedSoThatNoLineStandsForTwoNodes) {
    const std::wstring lines = L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\nMusical,H:\\m\r\n";
    WriteData(lines);
    FolderTree& tree = Load();
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
    for (const wchar_t* unstorable : {L"H:\\a,b", L"H:\\한국"}) {
        dialogs.answerDir = unstorable;
        Command(kCmdRefMod);
    }
    EXPECT_EQ(shell.messages.size(), 5u);
    EXPECT_EQ(tree.NodeOf(Node(L"music"))->folder, L"H:\\n");
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\nMusic,Music,E:\\x\r\nmusic,H:\\n\r\n");
}

TEST_F(TreeTest, AReadOnlyDataFileIsNeverReplacedAndEveryCommandSaysSo) {
    const std::wstring lines = L"Music,D:\\mp3\r\nMusic,Live,E:\\live\r\n";
    WriteData(lines);
    SetFileAttributesW(DataFile().c_str(), FILE_ATTRIBUTE_READONLY);
    Load();
    const std::wstring shape = Shape();
    dialogs.answerName = L"Pop";
    dialogs.answerDir = L"P:\\";
    Command(kCmdRefAdd);
    Select(Node(L"Music/Live"));
    Command(kCmdRefMod);
    EditCaption(Node(L"Music/Live"), L"Concerts");
    shell.messageAnswer = IDYES;
    Command(kCmdRefDel);
    EXPECT_EQ(shell.messages.size(), 5u);  // the removal's question, then its failure
    EXPECT_EQ(Data(), lines);
    EXPECT_EQ(Shape(), shape);
    EXPECT_TRUE(GetFileAttributesW(DataFile().c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(DataFile().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(TreeTest, AWorkFileLeftAloneIsTakenBeforeAnyWriteAndLongCaptionsAreWrittenWhole) {
    const std::wstring longName(1500, L'長');
    WriteData(longName + L",L:\\\r\n" + longName + L",Child,C:\\\r\n");
    Load();
    ASSERT_TRUE(EditCaption(Node(longName + L"/Child"), L"Kid"));
    Select(Node(longName));
    dialogs.answerName = L"Two";
    dialogs.answerDir = L"T:\\";
    Command(kCmdRefAdd);
    const std::wstring expected = longName + L",L:\\\r\n" + longName + L",Kid,C:\\\r\n" + longName + L",Two,T:\\\r\n";
    EXPECT_EQ(Data(), expected);

    // A rewrite stopped after the data file was gone: the work file holds the
    // folders.
    MoveFileW(DataFile().c_str(), WorkFile().c_str());
    Select(Root());
    dialogs.answerName = L"Three";
    Command(kCmdRefAdd);
    EXPECT_EQ(Data(), expected + L"Three,T:\\\r\n");
    EXPECT_FALSE(test::Exists(WorkFile()));
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(TreeTest, AddRefusesANodeDeeperThanTheDataFileIsRead) {
    std::wstring line;
    for (std::size_t i = 1; i < kMaxFolderDepth; ++i) line += L"n,";
    WriteData(line + L"last,D:\\\r\n");
    Load();
    HTREEITEM deepest = Root();
    while (HTREEITEM child = TreeView_GetChild(TVDir(), deepest)) deepest = child;
    dialogs.answerName = L"deeper";
    Select(deepest);
    Command(kCmdRefAdd);
    Select(TreeView_GetParent(TVDir(), deepest));
    Command(kCmdRefAdd);  // one level up still fits
    EXPECT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(Data(), line + L"last,D:\\\r\n" + line + L"deeper,\r\n");
}

TEST_F(TreeTest, LeftClicksChooseTheNodesFolderRightClicksDoNotAndHoverNamesFolders) {
    const std::wstring music = folder / L"music";
    const std::wstring gone = folder / L"gone";
    WriteData(L"Music," + music + L"\r\nGone," + gone + L"\r\n");
    FolderTree& tree = LoadOnDownloads();

    // Right button: the menu of the registered folders, and nothing chosen.
    std::vector<std::wstring> entries;
    test::WhenMenuShows(
        [](HWND, HMENU menu, void* out) {
            for (int i = 0; i < GetMenuItemCount(menu); ++i)
                static_cast<std::vector<std::wstring>*>(out)->push_back(menu::Text(menu, i, true));
            EndMenu();
        },
        &entries);
    Press(Node(L"Music"), WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_EQ(entries,
              (std::vector<std::wstring>{L"追加(&A)…", L"変更(&M)…", L"削除(&D)", L"", L"エクスプローラ(&E)"}));
    EXPECT_FALSE(tree.LastPressWasLeft());
    EXPECT_TRUE(listener.chosen.empty());
    EXPECT_EQ(treeview::Selection(TVDir()), Root());  // the right click selects nothing

    Press(Node(L"Music"), WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_TRUE(tree.LastPressWasLeft());
    EXPECT_EQ(listener.chosen, (Chosen{{music, false}}));  // not the client's folder
    Press(Node(L"Music"), WM_LBUTTONDOWN, WM_LBUTTONUP);   // the selected node again: chosen again
    Press(Root(), WM_LBUTTONDOWN, WM_LBUTTONUP);
    Press(Node(L"Gone"), WM_LBUTTONDOWN, WM_LBUTTONUP);  // a folder that is gone all the same
    EXPECT_EQ(listener.chosen, (Chosen{{music, false}, {music, false}, {downloads + L"\\", true}, {gone, false}}));

    const POINT over = Center(Node(L"Music"));
    MoveMouse(over);
    ASSERT_FALSE(listener.pointed.empty());
    EXPECT_EQ(listener.pointed.back(), music);
    MoveMouse(POINT{over.x, 2000});  // empty space: no node, so the window names the listed folder
    EXPECT_FALSE(listener.pointed.back().has_value());

    tree.ChooseSelected();  // "更新", F5: the selected node's folder again
    EXPECT_EQ(listener.chosen.size(), 5u);
    EXPECT_EQ(listener.chosen.back(), (std::pair<std::wstring, bool>{gone, false}));
}

TEST_F(TreeTest, F2EditsTheSelectedCaptionAndCtrlVAsksForAPasteIntoTheSelectedNodesFolder) {
    WriteData(L"Music,D:\\mp3\r\n");
    Load();
    Select(Node(L"Music"));
    SendMessageW(TVDir(), WM_KEYDOWN, 'V', 0);  // V alone is no paste
    EXPECT_TRUE(listener.pastes.empty());
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(TVDir(), WM_KEYDOWN, 'V', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(listener.pastes, (std::vector<std::wstring>{L"D:\\mp3"}));

    SendMessageW(TVDir(), WM_KEYDOWN, VK_F2, 0);
    EXPECT_TRUE(Tree().EditingLabel());
    TreeView_EndEditLabelNow(TVDir(), TRUE);
    EXPECT_EQ(Data(), L"Music,D:\\mp3\r\n");
}

}  // namespace
}  // namespace orvane
