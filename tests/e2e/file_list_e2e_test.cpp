// The real Orvane.exe listing a download folder: what it shows, a header
// click, a find with Enter, and what it leaves in the settings file.
#include <gtest/gtest.h>

#include "platform/ini.h"
#include "e2e/remote_window.h"
#include "ui/commands.h"
#include "support/download_folder.h"
#include "support/temp_folder.h"
#include "platform/dpi.h"
#include "platform/paths.h"
#include "platform/code_page.h"

namespace orvane {
namespace {

TEST(FileListE2E, ListsSortsOnHeaderClickAndFindsOnEnter) {
    test::TempFolder program;
    const std::wstring exe = e2e::InstallOrvane(program.path());
    ASSERT_FALSE(exe.empty());
    const std::wstring downloads = program / L"downloads";
    test::MakeFolder(downloads);
    test::MakeFile(downloads + L"\\b 春の歌.mp3", 2048000);
    test::MakeFile(downloads + L"\\a.txt", 10);
    test::MakeFile(downloads + L"\\__INCOMPLETE___c00000064.zip", 50);
    test::MakeDummy(downloads + L"\\[DMY]d(1MB).mp3", 0x100000, 5, true);
    test::WriteAnsiText(downloads + L"\\incomplete downloads.txt",
                        L"Local Path:C:\\x\\__INCOMPLETE___c00000064.zip\r\nr\r\nSize: 200\r\nUser:はなこ\r\n");
    ClsIni ini;
    ini.IniName = program / L"Qelt.ini";
    test::WriteAnsiText(ini.IniName, L"[PATH]\r\nFILE_PATH=" + downloads + L"\r\n[SORT]\r\nKEY=2\r\nORDER=1\r\n");

    e2e::RunningProgram orvane(exe);
    HWND main = orvane.WaitForWindow(L"Orvane.Main");
    ASSERT_NE(main, nullptr);
    HWND list = e2e::Child(main, kIdList);
    ASSERT_TRUE(e2e::WaitFor([&] { return ListView_GetItemCount(list) == 5; }));  // the rows follow the window
    EXPECT_EQ(orvane.StatusText(e2e::Child(main, kIdStatus), 1), L"5 ﾌｧｲﾙ");
    // Sizes descending, as stored.
    EXPECT_EQ(orvane.ItemText(list, 0, 0), L"b 春の歌.mp3");
    EXPECT_EQ(orvane.ItemText(list, 0, 1), L"2,048,000");
    EXPECT_EQ(orvane.ItemText(list, 1, 0), L"[DMY]d(1MB).mp3");
    EXPECT_EQ(orvane.ItemText(list, 1, 2), L"ダミー");
    const int zip = orvane.ItemText(list, 2, 0) == L"__INCOMPLETE___c00000064.zip" ? 2 : 3;
    EXPECT_EQ(orvane.ItemText(list, zip, 2), L"200");
    EXPECT_EQ(orvane.ItemText(list, zip, 3), L"25%");
    EXPECT_EQ(orvane.ItemText(list, zip, 6), L"はなこ");

    // A click on the "ファイル名" header: the order flips to ascending by name.
    HWND header = ListView_GetHeader(list);
    e2e::Click(header, RECT{20, 5, 20, 5});
    e2e::WaitFor([&] { return orvane.ItemText(list, 0, 0) != L"b 春の歌.mp3"; });
    EXPECT_EQ(orvane.ItemText(list, 0, 0), L"[DMY]d(1MB).mp3");
    EXPECT_EQ(orvane.ItemText(list, 2, 0), L"a.txt");
    EXPECT_EQ(orvane.ItemText(list, 4, 0), L"incomplete downloads.txt");

    // A word typed into the find field, then Enter.
    HWND combo = e2e::Child(main, kIdFindCombo);
    HWND edit = GetWindow(combo, GW_CHILD);
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"春"));
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    e2e::WaitFor([&] { return ini.GetIni(L"FIND", L"WORD1", L"") != L""; });

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
    EXPECT_EQ(ini.GetIni(L"SORT", L"KEY", L""), L"1");
    EXPECT_EQ(ini.GetIni(L"SORT", L"ORDER", L""), L"0");
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD1", L""), L"春");
}

// A big download folder is read on a worker: a click on another folder
// during its listing shows that folder's rows, never the big one's, and the
// window answers. (The folder is smaller than a real one: under Wine making
// files in one folder costs more the more it holds.)
TEST(FileListE2E, AClickDuringABigListingShowsTheFolderClickedAndNeverTheBigOne) {
    test::TempFolder program;
    const std::wstring exe = e2e::InstallOrvane(program.path());
    ASSERT_FALSE(exe.empty());
    const std::wstring downloads = program / L"downloads";
    const std::wstring music = program / L"music";
    test::MakeFolder(downloads);
    test::MakeFolder(music);
    // 40-byte files: each one's header is read too, which makes the listing longer.
    for (int i = 0; i < 4000; ++i) test::MakeFile(downloads + L"\\f" + std::to_wstring(i) + L".mp3", 40);
    test::MakeFile(music + L"\\a.mp3", 100);
    test::MakeFile(music + L"\\b.mp3", 100);
    test::WriteAnsiText(program / L"Qelt.ini", L"[PATH]\r\nFILE_PATH=" + downloads + L"\r\n");
    test::WriteAnsiText(program / L"Orvane.dat", L"Music," + music + L"\r\n");

    e2e::RunningProgram orvane(exe);
    HWND main = orvane.WaitForWindow(L"Orvane.Main");
    ASSERT_NE(main, nullptr);
    HWND tree = e2e::Child(main, kIdTree);
    HWND list = e2e::Child(main, kIdList);
    HWND status = e2e::Child(main, kIdStatus);
    const HTREEITEM root = TreeView_GetRoot(tree);
    const HTREEITEM node = TreeView_GetChild(tree, root);
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(e2e::WaitFor([&] { return ListView_GetItemCount(list) == 4000; }));

    // A click on the root lists the big folder again; the click on Music
    // comes in while that listing runs.
    e2e::Click(tree, orvane.TreeItemRect(tree, root));
    e2e::Click(tree, orvane.TreeItemRect(tree, node));
    EXPECT_TRUE(e2e::WaitFor([&] { return ListView_GetItemCount(list) == 2; }));
    Sleep(2000);  // long enough for the big listing to have ended, had it gone on
    EXPECT_EQ(ListView_GetItemCount(list), 2);
    EXPECT_EQ(orvane.ItemText(list, 0, 0), L"a.mp3");
    EXPECT_EQ(orvane.StatusText(status, 0), music);
    EXPECT_EQ(orvane.StatusText(status, 1), L"2 ﾌｧｲﾙ");
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer), 0);

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
}

}  // namespace
}  // namespace orvane
