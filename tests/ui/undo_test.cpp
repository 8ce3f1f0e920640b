// Ctrl+Z on real files: what the last rename, move or copy did is undone,
// and refused when the files changed since.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "core/text.h"
#include "platform/paths.h"
#include "support/list_view_fixture.h"

namespace orvane {
namespace {

struct UndoTest : test::ListViewTest {
    std::wstring target;
    UndoTest() {
        target = folder / L"音楽";
        test::MakeFolder(target);
    }
    void Select(std::initializer_list<std::wstring> names) {
        ListView_SetItemState(main->LVList(), -1, 0, LVIS_SELECTED);
        for (const std::wstring& name : names) {
            ASSERT_GE(Row(name), 0) << name;
            ListView_SetItemState(main->LVList(), Row(name), LVIS_SELECTED, LVIS_SELECTED);
        }
    }
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
