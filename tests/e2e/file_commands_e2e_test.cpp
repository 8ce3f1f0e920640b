// The real Orvane.exe deleting a file from the list's pop-up menu, with the
// question turned off: the row and the file are gone.
#include <gtest/gtest.h>

#include "e2e/remote_window.h"
#include "ui/commands.h"
#include "support/download_folder.h"
#include "support/temp_folder.h"

namespace orvane {
namespace {

TEST(FileCommandsE2E, DeleteFromTheRightClickMenuRemovesTheRowAndTheFile) {
    test::TempFolder program;
    const std::wstring exe = e2e::InstallOrvane(program.path());
    ASSERT_FALSE(exe.empty());
    const std::wstring downloads = program / L"downloads";
    test::MakeFolder(downloads);
    test::MakeFile(downloads + L"\\a.mp3", 10);
    test::MakeFile(downloads + L"\\b.mp3", 20);
    test::WriteAnsiText(program / L"Qelt.ini", L"[PATH]\r\nFILE_PATH=" + downloads +
                                                   L"\r\n[SORT]\r\nKEY=1\r\nORDER=0\r\n[SYSTEM]\r\nDELMSG=0\r\n");

    e2e::RunningProgram orvane(exe);
    HWND main = orvane.WaitForWindow(L"Orvane.Main");
    ASSERT_NE(main, nullptr);
    HWND list = e2e::Child(main, kIdList);
    ASSERT_TRUE(e2e::WaitFor([&] { return ListView_GetItemCount(list) == 2; }));  // the rows follow the window
    ASSERT_EQ(orvane.ItemText(list, 0, 0), L"a.mp3");

    e2e::Click(list, orvane.ItemRect(list, 0), true);
    HWND popup = orvane.WaitForWindow(L"#32768", 10000);
    ASSERT_NE(popup, nullptr);
    // "削除(&D)" by its letter.
    PostMessageW(popup, WM_CHAR, L'd', 0);

    EXPECT_TRUE(e2e::WaitFor([&] { return ListView_GetItemCount(list) == 1; }));
    EXPECT_EQ(orvane.ItemText(list, 0, 0), L"b.mp3");
    EXPECT_FALSE(test::Exists(downloads + L"\\a.mp3"));
    EXPECT_TRUE(test::Exists(downloads + L"\\b.mp3"));
    EXPECT_EQ(orvane.StatusText(e2e::Child(main, kIdStatus), 1), L"1 ﾌｧｲﾙ");

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
}

}  // namespace
}  // namespace orvane
