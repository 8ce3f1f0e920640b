// Move and copy through the real list view on real files: the folder asked
// for, the shell's work, and the rows that follow it.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "core/text.h"
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

}  // namespace
}  // namespace orvane
