// The real Orvane.exe: the settings dialog from the menu, a changed grid-line
// box and "ＯＫ".
#include <gtest/gtest.h>

#include "platform/ini.h"
#include "ui/frm_setting.h"
#include "e2e/remote_window.h"
#include "ui/commands.h"
#include "support/temp_folder.h"
#include "platform/code_page.h"

namespace orvane {
namespace {

TEST(SettingsE2E, TheGridLineBoxAndOkStoreLineAndTheListShowsGridLines) {
    test::TempFolder program;
    const std::wstring exe = e2e::InstallOrvane(program.path());
    ASSERT_FALSE(exe.empty());
    test::MakeFolder(program / L"dl");
    ClsIni ini;
    ini.IniName = program / L"Qelt.ini";
    test::WriteBytes(ini.IniName, ToAnsi(L"[PATH]\r\nFILE_PATH=" + program.path() + L"dl\r\n[DESIGN]\r\nLINE=0\r\n"));

    e2e::RunningProgram orvane(exe);
    HWND main = orvane.WaitForWindow(L"Orvane.Main");
    ASSERT_NE(main, nullptr);
    HWND list = e2e::Child(main, kIdList);
    EXPECT_FALSE(ListView_GetExtendedListViewStyle(list) & LVS_EX_GRIDLINES);

    PostMessageW(main, WM_COMMAND, MAKEWPARAM(kCmdSettings, 0), 0);  // オプション > オプション設定
    HWND dialog = orvane.WaitForWindow(L"#32770", 20000);
    ASSERT_NE(dialog, nullptr);
    wchar_t caption[16] = {};
    GetWindowTextW(dialog, caption, 16);
    EXPECT_STREQ(caption, L"設定");
    SendMessageW(GetDlgItem(dialog, Frm_Setting::kIdPage2), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(dialog, Frm_Setting::kIdLine), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);

    EXPECT_TRUE(e2e::WaitFor([&] { return ini.GetIni(L"DESIGN", L"LINE", L"") == L"1"; }));
    EXPECT_TRUE(e2e::WaitFor([&] { return (ListView_GetExtendedListViewStyle(list) & LVS_EX_GRIDLINES) != 0; }));
    EXPECT_TRUE(orvane.WaitUntilGone(L"#32770"));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
}

}  // namespace
}  // namespace orvane
