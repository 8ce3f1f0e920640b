#include "ui/frm_main.h"

#include <gtest/gtest.h>

#include "ui/commands.h"
#include "support/main_window_fixture.h"
#include "platform/controls.h"

namespace orvane {
namespace {

using test::MainWindowTest;

TEST_F(MainWindowTest, ShowsMenusFindBarTreeColumnsAndStatusBar) {
    Frm_Main& w = Load();
    EXPECT_EQ(WindowText(w.hwnd()), L"Orvane");

    HMENU bar = w.Menu();
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(menu::Text(bar, 0, true), L"ファイル(&F)");
    EXPECT_EQ(menu::Text(bar, 1, true), L"表示(&V)");
    EXPECT_EQ(menu::Text(bar, 2, true), L"オプション(&O)");
    EXPECT_EQ(menu::Text(bar, 3, true), L"ヘルプ(&H)");
    EXPECT_EQ(menu::Text(bar, kCmdUndo, false), L"元に戻す(&U)　\tCtrl+Z");
    EXPECT_EQ(menu::Text(bar, kCmdProperties, false), L"プロパティ(&R)　\tAlt+Enter");
    EXPECT_EQ(menu::Text(bar, kCmdEnd, false), L"終了(&X)");
    EXPECT_EQ(menu::Text(bar, kCmdToggleTree, false), L"登録フォルダ(&T)");
    EXPECT_EQ(menu::Text(bar, kCmdRefresh, false), L"最新の情報に更新(&R)　\tF5");
    EXPECT_EQ(menu::Text(bar, kCmdSettings, false), L"オプション設定(&O)…");
    EXPECT_EQ(menu::Text(bar, kCmdHelp, false), L"ヘルプ(&H)　\tF1");
    EXPECT_EQ(menu::Text(bar, kCmdVersion, false), L"バージョン(&A)");

    EXPECT_EQ(WindowText(w.cmdFind()), L"検索(&S)");
    EXPECT_EQ(WindowText(w.cmdDelFind()), L"条件削除(&D)");
    EXPECT_EQ(WindowText(w.cmdCls()), L"クリア(&C)");
    EXPECT_EQ(WindowText(w.cmdRefresh()), L"更新(&R)");
    EXPECT_EQ(GetDlgCtrlID(w.cmdRefresh()), kCmdRefresh);  // the button and F5 share the refresh command

    // The header is built from the column table.
    ASSERT_EQ(listview::ColumnCount(w.LVList()), kColumnCount);
    for (int i = 0; i < kColumnCount; ++i) {
        const FileColumn& column = *ColumnAt(i);
        EXPECT_EQ(listview::ColumnCaption(w.LVList(), i), column.caption);
        EXPECT_EQ(listview::ColumnWidth(w.LVList(), i), Px(column.widthTwips)) << i;
        EXPECT_EQ(listview::ColumnAlign(w.LVList(), i) == listview::Align::Right, column.align == ColumnAlign::Right)
            << i;
    }
    EXPECT_EQ(listview::ItemCount(w.LVList()), 0);
    EXPECT_EQ(statusbar::PartCount(w.SBMain()), 3);  // the folder, the count, what is selected and found

    ASSERT_EQ(treeview::Count(w.TVDir()), 1);
    const HTREEITEM root = treeview::Root(w.TVDir());
    EXPECT_EQ(treeview::Text(w.TVDir(), root), L"ＷｉｎＭＸ");
    EXPECT_EQ(treeview::Selection(w.TVDir()), root);
    EXPECT_EQ(w.Tree().NodeOf(root)->key, L"WinMX");
}

TEST_F(MainWindowTest, TheKeyboardComesBackToTheControlThatHadItWhenAnotherWindowWasActive) {
    Frm_Main& w = LoadAndShow();
    SetActiveWindow(w.hwnd());
    for (const HWND control : {w.TVDir(), w.LVList()}) {
        SetFocus(control);
        const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                           nullptr, nullptr, nullptr);
        SetActiveWindow(other);
        ASSERT_NE(GetFocus(), control);
        DestroyWindow(other);
        SetActiveWindow(w.hwnd());
        EXPECT_EQ(GetFocus(), control);
    }
}

TEST_F(MainWindowTest, WithoutSettingsFileTheDefaultsHold) {
    Frm_Main& w = LoadAndShow();
    EXPECT_TRUE(menu::IsChecked(w.Menu(), kCmdToggleTree));
    EXPECT_TRUE(w.TreeVisible());
    EXPECT_EQ(w.Tree().NodeOf(treeview::Root(w.TVDir()))->folder, L"\\");  // empty FILE_PATH
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), L"");                 // not set without a folder
    EXPECT_EQ(settings.Get().sortKey, 1);
    EXPECT_EQ(w.List().FindHighlightColor(), RGB(255, 80, 0));
    EXPECT_NE(listview::ExtendedStyle(w.LVList()) & LVS_EX_GRIDLINES, 0u);
    EXPECT_FALSE(test::Exists(ini.IniName));  // loading writes nothing
}

TEST_F(MainWindowTest, AnExistingDownloadFolderShowsTheTreeWhateverWasStored) {
    test::MakeFolder(folder / L"ダウンロード");
    WriteSettings(L"[PATH]\r\nFILE_PATH=" + folder.path() + L"ダウンロード\r\n[SYSTEM]\r\nREFDIRVIEW=0\r\n");
    Frm_Main& w = LoadAndShow();
    EXPECT_TRUE(menu::IsChecked(w.Menu(), kCmdToggleTree));
    EXPECT_TRUE(w.TreeVisible());
    EXPECT_EQ(w.Tree().NodeOf(treeview::Root(w.TVDir()))->folder, folder.path() + L"ダウンロード\\");
    EXPECT_EQ(statusbar::Text(w.SBMain(), 0), folder.path() + L"ダウンロード\\");
}

TEST_F(MainWindowTest, ARelativeDownloadFolderBelongsToTheProgramFolder) {
    test::TempFolder elsewhere;  // the folder the program is started from
    for (const std::wstring& place : {folder.path(), elsewhere.path()}) test::MakeFolder(place + L"dl");
    test::WriteBytes(folder / L"dl\\mine.txt", "x");
    test::WriteBytes(elsewhere / L"dl\\other.txt", "x");
    WriteSettings(L"[PATH]\r\nFILE_PATH=dl\r\n");
    wchar_t started[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, started);
    SetCurrentDirectoryW(elsewhere.path().c_str());
    Frm_Main& w = Load();
    SetCurrentDirectoryW(started);
    EXPECT_EQ(w.List().ClientFolder(), folder.path() + L"dl");
    EXPECT_EQ(settings.Get().filePath, L"dl");  // kept as stored
    ASSERT_EQ(listview::ItemCount(w.LVList()), 1);
    wchar_t name[64] = {};
    ListView_GetItemText(w.LVList(), 0, 0, name, 64);
    EXPECT_STREQ(name, L"mine.txt");
}

TEST_F(MainWindowTest, AMissingOrBlankDownloadFolderKeepsTheStoredTreeSetting) {
    for (const std::wstring path : {folder.path() + L"nowhere", std::wstring(L"   ")}) {
        WriteSettings(L"[PATH]\r\nFILE_PATH=" + path + L"\r\n[SYSTEM]\r\nREFDIRVIEW=0\r\n");
        Frm_Main& w = LoadAndShow();
        EXPECT_FALSE(menu::IsChecked(w.Menu(), kCmdToggleTree)) << path;
        EXPECT_FALSE(w.TreeVisible()) << path;
        EXPECT_EQ(statusbar::Text(w.SBMain(), 0), L"") << path;
    }
}

TEST_F(MainWindowTest, FindHistoryIsLoadedUpToTheFirstEmptyWord) {
    WriteSettings(L"[FIND]\r\nWORD1=abc\r\nWORD2=\" 春の歌 \"\r\nWORD3=\r\nWORD4=hidden\r\n");
    Frm_Main& w = Load();
    ASSERT_EQ(combobox::Count(w.cboFind()), 2);
    EXPECT_EQ(combobox::ItemText(w.cboFind(), 0), L"abc");
    EXPECT_EQ(combobox::ItemText(w.cboFind(), 1), L"春の歌");
    EXPECT_EQ(WindowText(w.cboFind()), L"");
}

TEST_F(MainWindowTest, StoredPositionIsAppliedInTwipsAtTheWindowsDpi) {
    WriteSettings(L"[SYSTEM]\r\nLEFT=300.6\r\nTOP=900\r\n");  // room for the whole window on a small screen
    Frm_Main& w = Load();
    RECT r{};
    GetWindowRect(w.hwnd(), &r);
    EXPECT_EQ(r.left, Px(301));
    EXPECT_EQ(r.top, Px(900));
}

TEST_F(MainWindowTest, PositionThatIsNotANumberIsIgnored) {
    WriteSettings(L"[SYSTEM]\r\nLEFT=left\r\nTOP=\r\n");
    Frm_Main& w = Load();
    RECT r{};
    GetWindowRect(w.hwnd(), &r);
    EXPECT_GE(r.left, 0);  // where the system put it, not at a bogus place
    EXPECT_GE(r.top, 0);
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"LEFT", L"?"), L"left");  // and the stored text is left alone
}

// Off every screen, to either side: the window comes onto the nearest work
// area, and closing stores a place on it.
TEST_F(MainWindowTest, AStoredPlaceOffEveryScreenComesBackOntoTheWorkArea) {
    for (const wchar_t* edge : {L"100000000", L"50000", L"-50000"}) {
        const std::wstring top = edge == std::wstring(L"50000") ? L"40000" : edge;
        WriteSettings(std::wstring(L"[SYSTEM]\r\nLEFT=") + edge + L"\r\nTOP=" + top + L"\r\n");
        Frm_Main& w = LoadAndShow();
        RECT r{};
        GetWindowRect(w.hwnd(), &r);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(w.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor));
        const RECT& work = monitor.rcWork;
        EXPECT_TRUE(r.left >= work.left && r.right <= work.right && r.top >= work.top && r.bottom <= work.bottom)
            << edge << " " << r << " on " << work;
        SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
        const auto storedPx = [&](const wchar_t* key) {
            return TwipsToPixels(ToTwips(ini.GetIni(L"SYSTEM", key, L"")).value_or(0), SystemDpi());
        };
        EXPECT_LT(storedPx(L"LEFT"), work.right) << edge;
        EXPECT_LT(storedPx(L"TOP"), work.bottom) << edge;
    }
}

TEST_F(MainWindowTest, LogoffOrShutdownStoresWhatClosingStoresOnce) {
    Frm_Main& w = LoadAndShow();
    SetWindowPos(w.hwnd(), nullptr, Px(2400), Px(1200), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Command(kCmdToggleTree);
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);  // never holds the system up
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"REFDIRVIEW", L""), L"0");
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"LEFT", L""), L"2400");
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"TOP", L""), L"1200");
    SendMessageW(w.hwnd(), WM_ENDSESSION, FALSE, 0);  // cancelled by another program
    SetWindowPos(w.hwnd(), nullptr, Px(3000), Px(1500), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(w.hwnd(), WM_QUERYENDSESSION, 0, 0);  // the next ending stores anew
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"LEFT", L""), L"3000");

    ini.PutIni(L"SYSTEM", L"LEFT", L"written once");
    SendMessageW(w.hwnd(), WM_ENDSESSION, TRUE, 0);
    SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"LEFT", L""), L"written once");

    Frm_Main& again = LoadAndShow();  // cancelled, then closed: closing stores
    SendMessageW(again.hwnd(), WM_QUERYENDSESSION, 0, 0);
    SendMessageW(again.hwnd(), WM_ENDSESSION, FALSE, 0);
    SetWindowPos(again.hwnd(), nullptr, Px(1800), Px(900), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(again.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"LEFT", L""), L"1800");
}

// Size, maximised state, splitter and column widths come back as the user
// left them; what cannot be used falls back to the window as designed.
TEST_F(MainWindowTest, TheWindowStateRoundTripsAndIsClampedToTheScreenAndTheLayout) {
    WriteSettings(L"[VIEW]\r\nWIDTH=9000\r\nHEIGHT=6000\r\nSPLITTER=4005\r\nCOLUMNS=3000,0,900,600,510,1995,1005\r\n");
    Frm_Main* w = &LoadAndShow();
    RECT r{};
    GetWindowRect(w->hwnd(), &r);
    EXPECT_EQ(r.right - r.left, TwipsToPixels(9000, SystemDpi()));
    EXPECT_EQ(r.bottom - r.top, TwipsToPixels(6000, SystemDpi()));
    EXPECT_EQ(w->Panes().splitter.left, 4005);
    EXPECT_EQ(listview::ColumnWidth(w->LVList(), 0), Px(3000));
    EXPECT_EQ(listview::ColumnWidth(w->LVList(), 1), 0);
    listview::SetColumnWidth(w->LVList(), 1, Px(1200));
    SendMessageW(w->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ini.GetIni(L"VIEW", L"WIDTH", L""), L"9000");
    EXPECT_EQ(ini.GetIni(L"VIEW", L"HEIGHT", L""), L"6000");
    EXPECT_EQ(ini.GetIni(L"VIEW", L"SPLITTER", L""), L"4005");
    EXPECT_EQ(ini.GetIni(L"VIEW", L"COLUMNS", L""), L"3000,1200,900,600,510,1995,1005");
    EXPECT_EQ(ini.GetIni(L"VIEW", L"MAXIMIZED", L""), L"0");

    // Too small, too large, and not numbers.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    for (const wchar_t* size : {L"1", L"99999999", L"wide"}) {
        WriteSettings(std::wstring(L"[VIEW]\r\nWIDTH=") + size + L"\r\nHEIGHT=" + size + L"\r\nCOLUMNS=1,2\r\n");
        w = &LoadAndShow();
        GetWindowRect(w->hwnd(), &r);
        ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(w->hwnd(), MONITOR_DEFAULTTONEAREST), &monitor));
        EXPECT_GE(r.right - r.left, TwipsToPixels(3000, SystemDpi())) << size;
        EXPECT_GE(r.bottom - r.top, TwipsToPixels(1800, SystemDpi())) << size;
        EXPECT_LE(r.right - r.left, monitor.rcWork.right - monitor.rcWork.left) << size;
        EXPECT_EQ(listview::ColumnWidth(w->LVList(), 1), Px(FileColumns()[1].widthTwips)) << size;
        main.reset();
    }

    // Left maximised: shown maximised, and the size to restore to is kept.
    WriteSettings(L"[VIEW]\r\nWIDTH=9000\r\nHEIGHT=6000\r\nMAXIMIZED=1\r\n");
    w = &Load();
    w->Show(SW_SHOWNORMAL);
    EXPECT_TRUE(IsZoomed(w->hwnd()));
    SendMessageW(w->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ini.GetIni(L"VIEW", L"MAXIMIZED", L""), L"1");
    EXPECT_EQ(ini.GetIni(L"VIEW", L"WIDTH", L""), L"9000");
}

TEST_F(MainWindowTest, ClosingWritesTreeSettingAndPosition) {
    Frm_Main& w = LoadAndShow();
    SetWindowPos(w.hwnd(), nullptr, Px(2400), Px(1200), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Command(kCmdToggleTree);  // hide the tree
    SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(w.hwnd()));
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"REFDIRVIEW", L""), L"0");
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"LEFT", L""), L"2400");
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"TOP", L""), L"1200");
}

TEST_F(MainWindowTest, ClosingAtTheScreenEdgeKeepsTheStoredPosition) {
    WriteSettings(L"[SYSTEM]\r\nLEFT=3000\r\nTOP=2000\r\n");
    Frm_Main& w = LoadAndShow();
    SetWindowPos(w.hwnd(), nullptr, 0, -5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"REFDIRVIEW", L""), L"1");
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"LEFT", L""), L"3000");
    EXPECT_EQ(ini.GetIni(L"SYSTEM", L"TOP", L""), L"2000");
}

TEST_F(MainWindowTest, EndCommandClosesWithoutWritingAnything) {
    WriteSettings(L"[SYSTEM]\r\nLEFT=3000\r\n");
    const std::string before = test::ReadBytes(ini.IniName);
    Frm_Main& w = LoadAndShow();
    Command(kCmdToggleTree);
    SetWindowPos(w.hwnd(), nullptr, Px(1800), Px(1800), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Command(kCmdEnd);
    EXPECT_FALSE(IsWindow(w.hwnd()));
    EXPECT_EQ(test::ReadBytes(ini.IniName), before);
}

TEST_F(MainWindowTest, HelpOpensTheHelpPageUnlessTheClassicHelpFileIsThere) {
    Frm_Main& w = Load();
    Command(kCmdHelp);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].file, folder.path() + L"OrvaneHelp.html");
    EXPECT_EQ(shell.opened[0].directory, folder.path());
    EXPECT_EQ(shell.opened[0].owner, w.hwnd());

    test::WriteBytes(folder / L"RORUDIZ031.HLP", "help");
    Command(kCmdHelp);
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1].file, folder.path() + L"RORUDIZ031.HLP");
}

TEST_F(MainWindowTest, F1F5AndEnterInTheFindFieldAreTakenBeforeTheDialogKeys) {
    Frm_Main& w = Load();
    MSG f1{w.LVList(), WM_KEYDOWN, VK_F1, 0};
    EXPECT_TRUE(w.TranslateAccelerators(f1));
    EXPECT_EQ(shell.opened.size(), 1u);
    MSG f5{w.LVList(), WM_KEYDOWN, VK_F5, 0};
    EXPECT_TRUE(w.TranslateAccelerators(f5));
    MSG other{w.LVList(), WM_KEYDOWN, 'A', 0};
    EXPECT_FALSE(w.TranslateAccelerators(other));
    MSG enterInTree{w.TVDir(), WM_KEYDOWN, VK_RETURN, 0};  // Enter on the list opens a file
    EXPECT_FALSE(w.TranslateAccelerators(enterInTree));
    SetWindowTextW(w.cboFind(), L"word");
    MSG enterInFind{GetWindow(w.cboFind(), GW_CHILD), WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(w.TranslateAccelerators(enterInFind));  // the message loop's Enter finds
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD1", L""), L"word");
}

TEST_F(MainWindowTest, VersionCommandShowsTheVersionDialogOverTheMainWindow) {
    Frm_Main& w = LoadAndShow();
    Command(kCmdVersion);
    EXPECT_EQ(dialogs.versionOwners, std::vector<HWND>{w.hwnd()});
}

}  // namespace
}  // namespace orvane
