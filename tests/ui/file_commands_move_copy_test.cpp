// Move and copy through the real list view on real files: the folder asked
// for, the shell's work, and the rows that follow it.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "core/text.h"
#include "platform/paths.h"
#include "support/list_view_fixture.h"

namespace orvane {
namespace {

struct MoveCopyTest : test::ListViewTest {
    std::wstring target;
    MoveCopyTest() {
        target = folder / L"target dir";
        test::MakeFolder(target);
    }
    void Select(std::initializer_list<std::wstring> names) {
        ListView_SetItemState(main->LVList(), -1, 0, LVIS_SELECTED);
        for (const std::wstring& name : names) {
            ASSERT_GE(Row(name), 0) << name;
            ListView_SetItemState(main->LVList(), Row(name), LVIS_SELECTED, LVIS_SELECTED);
        }
    }
    std::wstring CountPanel() const { return statusbar::Text(main->SBMain(), 1); }
};

TEST_F(MoveCopyTest, MoveTakesTheSelectedFilesAndTheirRowsAway) {
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3", L"한국.txt"}) test::MakeFile(File(name), 3);
    LoadOnDownloads(L"DEFAULT_DIR=" + target + L"\r\n");
    ASSERT_EQ(Count(), 5);
    Select({L"b.mp3", L"한국.txt"});
    shell.browseAnswer = target;
    Command(kCmdMove);

    ASSERT_EQ(shell.browseTitles.size(), 1u);
    EXPECT_EQ(shell.browseTitles[0], L"移動するフォルダを選択し、[OK] を押してください");
    EXPECT_EQ(shell.browseFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN));
    EXPECT_EQ(shell.browseStartFolders[0], target);
    ASSERT_EQ(shell.fileOperations.size(), 1u);
    EXPECT_EQ(shell.fileOperations[0].operation, static_cast<UINT>(FO_MOVE));
    EXPECT_EQ(shell.fileOperations[0].flags, FOF_MULTIDESTFILES);
    EXPECT_EQ(shell.fileOperations[0].to, ShellFileList({target + L"\\b.mp3", target + L"\\한국.txt"}));
    EXPECT_TRUE(test::Exists(target + L"\\b.mp3"));
    EXPECT_TRUE(test::Exists(target + L"\\한국.txt"));
    EXPECT_FALSE(test::Exists(File(L"한국.txt")));
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"a.mp3", L"c.mp3", L"d.mp3"}));
    EXPECT_EQ(CountPanel(), L"3 ﾌｧｲﾙ");
    // The row that followed the first file moved takes selection and focus.
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"c.mp3"});
    EXPECT_EQ(FocusedName(), L"c.mp3");

    // Onto the folder the files are in: they stay, and so do their rows; a
    // copy there is refused with a word too.
    Select({L"a.mp3"});
    shell.browseAnswer = downloads;
    Command(kCmdMove);
    Command(kCmdCopy);
    EXPECT_TRUE(test::Exists(File(L"a.mp3")));
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(shell.fileOperations.size(), 1u);

    // Onto a file of the same name: asked, and replaced only on yes.
    test::WriteBytes(target + L"\\c.mp3", "OLD");
    Select({L"c.mp3", L"d.mp3"});
    shell.browseAnswer = target;
    shell.messageAnswer = IDNO;
    Command(kCmdMove);
    EXPECT_EQ(test::ReadBytes(target + L"\\c.mp3"), "OLD");
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"a.mp3", L"c.mp3"}));
}

TEST_F(MoveCopyTest, CopyLeavesFilesAndRowsAndSaysCopy) {
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3"}) test::MakeFile(File(name), 3);
    test::MakeDummy(File(L"[DMY]曲(4.5MB).mp3"), 0x00100000, 5, true);  // shown shortened, as "曲"
    LoadOnDownloads(L"DEFAULT_DIR=" + (folder / L"missing") + L"\r\n[DMY]\r\nINITIALDISP=0\r\nSIZEDISP=0\r\n");
    Select({L"a.mp3", L"c.mp3", L"曲"});
    shell.browseAnswer = target;
    Command(kCmdCopy);
    EXPECT_EQ(shell.browseTitles.at(0), L"コピーするフォルダを選択し、[OK] を押してください");
    EXPECT_EQ(shell.browseStartFolders.at(0), L"");  // no such folder: the dialog's own start
    ASSERT_EQ(shell.fileOperations.size(), 1u);
    EXPECT_EQ(shell.fileOperations[0].operation, static_cast<UINT>(FO_COPY));
    EXPECT_TRUE(test::Exists(target + L"\\a.mp3"));
    EXPECT_TRUE(test::Exists(target + L"\\c.mp3"));
    EXPECT_TRUE(test::Exists(target + L"\\[DMY]曲(4.5MB).mp3"));  // under its real name
    EXPECT_FALSE(test::Exists(target + L"\\b.mp3"));
    EXPECT_TRUE(test::Exists(File(L"a.mp3")));
    EXPECT_EQ(Count(), 4);
}

TEST_F(MoveCopyTest, NoSelectionEmptyListOrCancelDoNothing) {
    test::MakeFile(File(L"a.mp3"), 3);
    LoadOnDownloads();
    Select({});
    shell.browseAnswer = target;
    Command(kCmdMove);
    Command(kCmdCopy);
    EXPECT_TRUE(shell.browseTitles.empty());  // nothing selected: no folder asked for

    Select({L"a.mp3"});
    shell.browseAnswer.reset();  // cancelled
    Command(kCmdMove);
    Command(kCmdCopy);
    EXPECT_EQ(shell.browseTitles.size(), 2u);
    EXPECT_TRUE(shell.fileOperations.empty());
    EXPECT_EQ(Count(), 1);

    DeleteFileW(File(L"a.mp3").c_str());
    Command(kCmdRefresh);
    ASSERT_EQ(Count(), 0);
    Command(kCmdMove);
    EXPECT_EQ(shell.browseTitles.size(), 2u);
}

TEST_F(MoveCopyTest, FilingIntoARegisteredFolderAsksForNoFolderAndAGoneOneIsRefused) {
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3"}) test::MakeFile(File(name), 3);
    LoadOnDownloads();
    Select({L"b.mp3"});
    main->Commands().MoveOrCopyTo(target, false);  // 移動先/コピー先 > a registered folder
    EXPECT_TRUE(shell.browseTitles.empty());
    EXPECT_TRUE(test::Exists(target + L"\\b.mp3"));
    EXPECT_TRUE(test::Exists(File(L"b.mp3")));
    EXPECT_EQ(Count(), 3);
    Select({L"a.mp3", L"c.mp3"});
    main->Commands().MoveOrCopyTo(target, true);
    EXPECT_TRUE(test::Exists(target + L"\\a.mp3"));
    EXPECT_FALSE(test::Exists(File(L"c.mp3")));
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"b.mp3"}));
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"b.mp3"});  // the row that followed the first gone

    // A registration whose folder is gone: said so, and nothing moves (the
    // shell would make a folder, or a file, of its name).
    Select({L"b.mp3"});
    main->Commands().MoveOrCopyTo(folder / L"gone", true);
    EXPECT_EQ(shell.messages.size(), 1u);
    EXPECT_TRUE(test::Exists(File(L"b.mp3")));
    EXPECT_FALSE(test::Exists(folder / L"gone"));
    EXPECT_EQ(shell.fileOperations.size(), 2u);
}

// Ctrl+Z on real files: what the last rename, move or copy did is undone,
// and refused when the files changed since.
struct UndoTest : MoveCopyTest {
    // The ファイル menu's entry as it is shown when the menu opens.
    std::pair<std::wstring, bool> UndoEntry() {
        SendMessageW(main->hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(main->Menu(), 0)), 0);
        return {menu::Text(main->Menu(), kCmdUndo, false),
                (GetMenuState(main->Menu(), kCmdUndo, MF_BYCOMMAND) & MF_GRAYED) == 0};
    }
};

TEST_F(UndoTest, AMoveGoesBackAndItsFilesAreSelectedOnceAndOnly) {
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3"}) test::WriteBytes(File(name), "bytes of a song");
    LoadOnDownloads();
    EXPECT_EQ(UndoEntry(), std::pair(std::wstring(L"元に戻す(&U)　\tCtrl+Z"), false));
    Command(kCmdUndo);  // nothing to undo: nothing happens
    EXPECT_TRUE(shell.messages.empty());

    Select({L"a.mp3", L"c.mp3"});
    main->Commands().MoveOrCopyTo(target, true);
    ASSERT_EQ(Column1(), std::vector<std::wstring>{L"b.mp3"});
    EXPECT_EQ(UndoEntry(), std::pair(std::wstring(L"元に戻す(&U) - 移動　\tCtrl+Z"), true));

    Command(kCmdUndo);
    EXPECT_EQ(test::ReadBytes(File(L"a.mp3")), "bytes of a song");
    EXPECT_TRUE(test::Exists(File(L"c.mp3")));
    EXPECT_FALSE(test::Exists(target + L"\\a.mp3"));
    EXPECT_FALSE(test::Exists(target + L"\\c.mp3"));
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"a.mp3", L"b.mp3", L"c.mp3"}));
    EXPECT_EQ(SelectedNames(), (std::vector<std::wstring>{L"a.mp3", L"c.mp3"}));
    // Undone once: the next Ctrl+Z has nothing to undo.
    EXPECT_FALSE(UndoEntry().second);
    const std::size_t operations = shell.fileOperations.size();
    Command(kCmdUndo);
    EXPECT_EQ(shell.fileOperations.size(), operations);
}

TEST_F(UndoTest, ARenameGoesBackToTheNameAsItWasWritten) {
    // A name ending in a dot reaches no plain path; it comes back exactly.
    HANDLE made = CreateFileW(VerbatimPath(downloads, L"old.").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0,
                              nullptr);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    CloseHandle(made);
    test::WriteBytes(File(L"Song.mp3"), "x");
    LoadOnDownloads();
    ASSERT_EQ(main->Commands().Rename(downloads, L"old.", L"new.txt"), std::optional<std::wstring>(L"new.txt"));
    EXPECT_EQ(UndoEntry().first, L"元に戻す(&U) - 名前の変更　\tCtrl+Z");
    Command(kCmdUndo);
    EXPECT_TRUE(PlainFileExists(VerbatimPath(downloads, L"old.")));
    EXPECT_FALSE(test::Exists(File(L"new.txt")));

    // Letter case alone.
    ASSERT_TRUE(main->Commands().Rename(downloads, L"Song.mp3", L"song.mp3"));
    Command(kCmdUndo);
    WIN32_FIND_DATAW found{};
    FindClose(FindFirstFileW(File(L"song.mp3").c_str(), &found));
    EXPECT_STREQ(found.cFileName, L"Song.mp3");
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(UndoTest, ChangedFilesRefuseTheUndoAndNothingMoves) {
    for (const wchar_t* name : {L"a.mp3", L"b.mp3"}) test::WriteBytes(File(name), "song");
    LoadOnDownloads();

    // A copy changed since: the copies stay, the message names it.
    Select({L"a.mp3", L"b.mp3"});
    main->Commands().MoveOrCopyTo(target, false);
    test::WriteBytes(target + L"\\b.mp3", "song, tagged");
    Command(kCmdUndo);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_NE(shell.messages[0].find(L"「b.mp3」"), std::wstring::npos);
    EXPECT_EQ(shell.messages[0].find(L"「a.mp3」"), std::wstring::npos);
    EXPECT_TRUE(test::Exists(target + L"\\a.mp3"));
    EXPECT_EQ(test::ReadBytes(target + L"\\b.mp3"), "song, tagged");

    // A move whose old place holds a new file of the name: not moved back
    // over it.
    test::WriteBytes(File(L"c.mp3"), "c");
    Command(kCmdRefresh);
    Settle();
    Select({L"c.mp3"});
    main->Commands().MoveOrCopyTo(target, true);
    test::WriteBytes(File(L"c.mp3"), "a new download of c");
    const std::size_t operations = shell.fileOperations.size();
    Command(kCmdUndo);
    EXPECT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(shell.fileOperations.size(), operations);
    EXPECT_EQ(test::ReadBytes(File(L"c.mp3")), "a new download of c");
    EXPECT_EQ(test::ReadBytes(target + L"\\c.mp3"), "c");
}

TEST_F(UndoTest, ACopyIsUndoneByDeletingTheCopiesToTheRecycleBin) {
    for (const wchar_t* name : {L"a.mp3", L"b.mp3"}) test::WriteBytes(File(name), "song");
    test::WriteBytes(target + L"\\b.mp3", "someone else's b");
    LoadOnDownloads(L"[SYSTEM]\r\nDELMSG=0\r\n");  // the shell's question would hold the test
    Select({L"a.mp3", L"b.mp3"});
    shell.messageAnswer = IDNO;  // b.mp3 there is not replaced
    main->Commands().MoveOrCopyTo(target, false);
    Command(kCmdUndo);
    ASSERT_FALSE(shell.fileOperations.empty());
    EXPECT_EQ(shell.fileOperations.back().operation, static_cast<UINT>(FO_DELETE));
    EXPECT_EQ(shell.fileOperations.back().flags, FOF_ALLOWUNDO | FOF_NOCONFIRMATION);
    EXPECT_EQ(shell.fileOperations.back().from, ShellFileList({target + L"\\a.mp3"}));
    EXPECT_FALSE(test::Exists(target + L"\\a.mp3"));
    EXPECT_EQ(test::ReadBytes(target + L"\\b.mp3"), "someone else's b");
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"a.mp3", L"b.mp3"}));
}

}  // namespace
}  // namespace orvane
