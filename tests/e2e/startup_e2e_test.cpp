// The real Orvane.exe, started on a prepared program folder under Xvfb.
#include <gtest/gtest.h>

#include "platform/ini.h"
#include "e2e/remote_window.h"
#include "ui/commands.h"
#include "support/temp_folder.h"
#include "platform/dpi.h"
#include "platform/paths.h"
#include "platform/code_page.h"

namespace orvane {
namespace {

constexpr wchar_t kMainClass[] = L"Orvane.Main";
constexpr wchar_t kSplashClass[] = L"Orvane.Splash";

struct StartupE2E : testing::Test {
    test::TempFolder program;
    ClsIni ini;
    std::wstring exe;

    void SetUp() override {
        exe = e2e::InstallOrvane(program.path());
        ASSERT_FALSE(exe.empty()) << "Orvane.exe must lie beside the test";
        ini.IniName = program / L"Qelt.ini";
    }

    void WriteSettings(const std::wstring& text) { test::WriteBytes(ini.IniName, ToAnsi(text)); }

    static RECT Rect(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    static int Px(int twips) { return TwipsToPixels(twips, DpiOf(nullptr)); }
    static void MoveTo(HWND window, int x, int y) {
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

TEST_F(StartupE2E, StartsWithoutSettingsFileAndClosingWritesTreeSettingAndPosition) {
    e2e::RunningProgram orvane(exe);
    ASSERT_TRUE(orvane.started());
    HWND main = orvane.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);

    wchar_t title[64] = {};
    GetWindowTextW(main, title, 64);
    EXPECT_STREQ(title, L"Orvane");
    EXPECT_TRUE(orvane.WaitUntilGone(kSplashClass)) << "the splash is unloaded after the main window shows";

    HWND list = e2e::Child(main, kIdList);
    ASSERT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 7);
    EXPECT_EQ(orvane.ColumnCaption(list, 0), L"ファイル名");
    EXPECT_EQ(orvane.ColumnCaption(list, 6), L"ユーザ");
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    HWND tree = e2e::Child(main, kIdTree);
    EXPECT_TRUE(IsWindowVisible(tree));
    EXPECT_EQ(orvane.TreeItemText(tree, TreeView_GetRoot(tree)), L"ＷｉｎＭＸ");
    EXPECT_EQ(orvane.StatusText(e2e::Child(main, kIdStatus), 0), L"");
    EXPECT_FALSE(test::Exists(ini.IniName));

    MoveTo(main, Px(1800), Px(1200));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"REFDIRVIEW", L""), L"1");
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"LEFT", L""), L"1800");
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"TOP", L""), L"1200");
}

TEST_F(StartupE2E, StartsOnTheDownloadFolderAtTheStoredPosition) {
    test::MakeFolder(program / L"ダウンロード");
    WriteSettings(L"[PATH]\r\nFILE_PATH=" + program.path() +
                  L"ダウンロード\r\n[SYSTEM]\r\nREFDIRVIEW=0\r\nLEFT=1500\r\nTOP=900\r\n");
    e2e::RunningProgram orvane(exe);
    HWND main = orvane.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Rect(main).left, Px(1500));
    EXPECT_EQ(Rect(main).top, Px(900));
    EXPECT_TRUE(IsWindowVisible(e2e::Child(main, kIdTree)));  // an existing folder shows the tree
    EXPECT_EQ(orvane.StatusText(e2e::Child(main, kIdStatus), 0), program.path() + L"ダウンロード\\");

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"REFDIRVIEW", L""), L"1");
}

// A program folder that code page 932 cannot name: the settings are still
// read (the list shows the download folder) and written at closing.
TEST_F(StartupE2E, RunsFromAProgramFolderOutsideTheCodePage) {
    const std::wstring zoe = program / L"Zoë\\";
    test::MakeFolder(zoe);
    const std::wstring zoeExe = e2e::InstallOrvane(zoe);
    ASSERT_FALSE(zoeExe.empty());
    test::MakeFolder(program / L"ダウンロード");
    test::WriteBytes(program / L"ダウンロード\\song.mp3", "x");
    ClsIni zoeIni;
    zoeIni.IniName = zoe + L"Qelt.ini";
    test::WriteBytes(zoeIni.IniName, ToAnsi(L"[PATH]\r\nFILE_PATH=" + program.path() + L"ダウンロード\r\n"));

    e2e::RunningProgram orvane(zoeExe);
    HWND main = orvane.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);
    HWND list = e2e::Child(main, kIdList);
    ASSERT_TRUE(e2e::WaitFor([&] { return ListView_GetItemCount(list) == 1; }));  // the rows follow the window
    EXPECT_EQ(orvane.ItemText(list, 0, 0), L"song.mp3");
    MoveTo(main, Px(1800), Px(1200));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
    EXPECT_EQ(zoeIni.GetIni(L"SYSTEM", L"LEFT", L""), L"1800");
    EXPECT_EQ(zoeIni.GetIni(L"SYSTEM", L"TOP", L""), L"1200");
}

TEST_F(StartupE2E, EndCommandWritesNothingAndTheNextStartUsesTheOldState) {
    WriteSettings(L"[SYSTEM]\r\nREFDIRVIEW=1\r\nLEFT=2400\r\nTOP=1500\r\n");
    const std::string before = test::ReadBytes(ini.IniName);
    {
        e2e::RunningProgram orvane(exe);
        HWND main = orvane.WaitForWindow(kMainClass);
        ASSERT_NE(main, nullptr);
        PostMessageW(main, WM_COMMAND, kCmdToggleTree, 0);  // hide the tree
        MoveTo(main, Px(4500), Px(3000));
        PostMessageW(main, WM_COMMAND, kCmdEnd, 0);
        EXPECT_EQ(orvane.WaitForExit(), 0);
    }
    EXPECT_EQ(test::ReadBytes(ini.IniName), before);

    e2e::RunningProgram again(exe);
    HWND main = again.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Rect(main).left, Px(2400));
    EXPECT_EQ(Rect(main).top, Px(1500));
    EXPECT_TRUE(IsWindowVisible(e2e::Child(main, kIdTree)));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(), 0);
}

TEST_F(StartupE2E, TheNextStartUsesThePositionStoredAtClosing) {
    {
        e2e::RunningProgram orvane(exe);
        HWND main = orvane.WaitForWindow(kMainClass);
        ASSERT_NE(main, nullptr);
        MoveTo(main, Px(3000), Px(2100));
        PostMessageW(main, WM_COMMAND, kCmdToggleTree, 0);
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(orvane.WaitForExit(), 0);
    }
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"REFDIRVIEW", L""), L"0");
    e2e::RunningProgram again(exe);
    HWND main = again.WaitForWindow(kMainClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Rect(main).left, Px(3000));
    EXPECT_EQ(Rect(main).top, Px(2100));
    EXPECT_FALSE(IsWindowVisible(e2e::Child(main, kIdTree)));  // no download folder: the stored setting holds
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(), 0);
}

}  // namespace
}  // namespace orvane
