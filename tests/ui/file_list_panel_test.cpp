// What the file list shows for a real download folder, read through the
// real list view.
#include <gtest/gtest.h>

#include "platform/paths.h"
#include "support/hang_guard.h"
#include "support/file_list_panel_fixture.h"

namespace orvane {
namespace {

using test::FileListPanelTest;
using test::PanelHost;

TEST_F(FileListPanelTest, ListsEveryPlainFileWithSizesPercentagesUsersAndColours) {
    const SYSTEMTIME spring{2003, 4, 1, 28, 9, 5, 30, 0};
    test::MakeFile(File(L"song.mp3"), 1000, &spring);
    test::MakeFile(File(L"copy.mp3"), 1000);
    test::MakeFile(File(L"README"), 0);
    test::MakeFile(File(L"empty.txt"), 0);
    test::MakeFile(File(L"__INCOMPLETE___song0012AB34.dat"), 611738);
    test::MakeFile(File(L"__INCOMPLETE___曲名000F4240128_44100_2_00000327.mp3"), 1);
    test::MakeFile(File(L"__INCOMPLETE___listed00000010.zip"), 5);
    test::MakeFile(File(L"a.tar.gz"), 7);
    test::MakeDummy(File(L"[DMY]曲(4.5MB).mp3"), 0x00100000, 5, true);
    test::WriteBytes(File(L"plain40.bin"), std::string(40, 'x'));
    test::WriteAnsiText(File(L"incomplete downloads.txt"),
                        L"Local Path:D:\\elsewhere\\__INCOMPLETE___listed00000010.zip\r\nRemote Name:x\r\n"
                        L"Size: 10\r\nUser: たろう\r\n");
    test::MakeFile(File(L"secret.txt"), 3);
    SetFileAttributesW(File(L"secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    test::MakeFolder(File(L"sub"));

    PanelHost& w = LoadOnDownloads();
    ASSERT_EQ(Count(), 11);
    EXPECT_EQ(statusbar::Text(w.SBMain(), 1), L"11 ﾌｧｲﾙ");
    EXPECT_EQ(Row(L"secret.txt"), -1);
    EXPECT_EQ(Row(L"sub"), -1);

    const int song = Row(L"song.mp3");
    ASSERT_GE(song, 0);
    EXPECT_EQ(Text(song, Column::Size), L"1,000");
    EXPECT_EQ(Text(song, Column::Total), L"無");
    EXPECT_EQ(Text(song, Column::Percent), L"");
    EXPECT_EQ(Text(song, Column::Extension), L"mp3");
    EXPECT_EQ(Text(song, Column::Modified), L"2003/04/28 09:05");
    EXPECT_EQ(Color(song, Column::Size), 0x00FF00u);  // shares its size with copy.mp3
    EXPECT_EQ(Color(Row(L"copy.mp3"), Column::Size), 0x00FF00u);
    EXPECT_EQ(Color(song, Column::FileName), w.List().Colors().listText);
    EXPECT_NE(Color(Row(L"README"), Column::Size), 0x00FF00u);  // sizes of 0 never count
    EXPECT_EQ(Text(Row(L"README"), Column::Extension), L"");
    EXPECT_EQ(Text(Row(L"a.tar.gz"), Column::Extension), L"gz");

    const int half = Row(L"__INCOMPLETE___song0012AB34.dat");
    EXPECT_EQ(Text(half, Column::Total), L"1,223,476");
    EXPECT_EQ(Text(half, Column::Percent), L"50%");
    const int mp3 = Row(L"__INCOMPLETE___曲名000F4240128_44100_2_00000327.mp3");
    EXPECT_EQ(Text(mp3, Column::Total), L"1,000,000");
    EXPECT_EQ(Text(mp3, Column::Percent), L"0%");
    const int listed = Row(L"__INCOMPLETE___listed00000010.zip");
    EXPECT_EQ(Text(listed, Column::Total), L"10");
    EXPECT_EQ(Text(listed, Column::Percent), L"50%");
    EXPECT_EQ(Text(listed, Column::User), L" たろう");  // as the client wrote it

    const int dummy = Row(L"[DMY]曲(4.5MB).mp3");  // shown in full by default
    ASSERT_GE(dummy, 0);
    EXPECT_EQ(Text(dummy, Column::Size), L"1,048,576");
    EXPECT_EQ(Text(dummy, Column::Total), L"ダミー");
    EXPECT_EQ(Text(dummy, Column::Percent), L"");
    EXPECT_EQ(Color(dummy, Column::FileName), 0x808080u);
    const int plain40 = Row(L"plain40.bin");
    EXPECT_EQ(Text(plain40, Column::Total), L"無");
    EXPECT_EQ(Text(plain40, Column::Size), L"40");

    // The first row of the fill stays selected.
    EXPECT_EQ(w.List().View().SelectedRows().size(), 1u);
}

TEST_F(FileListPanelTest, DummyNamesAndSizesFollowTheDisplaySettings) {
    test::MakeDummy(File(L"[DMY]曲(4.5MB).mp3"), 0x00100000, 5, true);
    test::MakeDummy(File(L"[D]noparen.mp3"), 0x10, 3, true);
    LoadOnDownloads(L"[DMY]\r\nINITIALDISP=0\r\nSIZEDISP=0\r\nSIZESRC=1\r\n");
    ASSERT_GE(Row(L"曲"), 0);
    EXPECT_EQ(Text(Row(L"曲"), Column::Size), L"1,048,576");
    EXPECT_EQ(Text(Row(L"曲"), Column::Extension), L"mp3");  // from the name on disk
    EXPECT_GE(Row(L"noparen.mp3"), 0);                       // no "(": the suffix rule keeps it

    LoadOnDownloads(L"[DMY]\r\nINITIALDISP=1\r\nSIZEDISP=1\r\nSIZESRC=0\r\n");
    ASSERT_GE(Row(L"[DMY]曲(4.5MB).mp3"), 0);
    EXPECT_EQ(Text(Row(L"[DMY]曲(4.5MB).mp3"), Column::Size), L"40");
    EXPECT_EQ(Text(Row(L"[DMY]曲(4.5MB).mp3"), Column::Total), L"ダミー");
}

TEST_F(FileListPanelTest, DummyFilesNamedLikeDevicesAreListedAsDummies) {
    struct Remove {  // the folder's own removal cannot delete them
        std::wstring folder;
        ~Remove() {
            for (const wchar_t* name : {L"aux.mp3", L"com1.mp3"}) DeleteFileW(VerbatimPath(folder, name).c_str());
        }
    } remove{downloads};
    test::MakeDummy(VerbatimPath(downloads, L"aux.mp3"), 0x10, 0, false);
    test::WriteBytes(VerbatimPath(downloads, L"com1.mp3"), std::string(40, 'x'));
    {
        test::HangGuard guard("listing device-named files", 30000);
        LoadOnDownloads();
    }
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(Text(Row(L"aux.mp3"), Column::Total), L"ダミー");
    EXPECT_EQ(Text(Row(L"com1.mp3"), Column::Total), L"無");
}

TEST_F(FileListPanelTest, HeaderClicksSortFlipTheOrderStoreItAndKeepTheSelection) {
    test::MakeFile(File(L"__INCOMPLETE___a00000059.bin"), 1);
    test::MakeFile(File(L"__INCOMPLETE___b0012D687.bin"), 2);
    test::MakeFile(File(L"plain.txt"), 3);
    PanelHost& w = LoadOnDownloads(L"[SORT]\r\nKEY=1\r\nORDER=0\r\n");
    ListView_SetItemState(w.LVList(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(w.LVList(), Row(L"plain.txt"), LVIS_SELECTED, LVIS_SELECTED);

    ClickHeader(3);  // stored order 0: the first click sorts descending
    EXPECT_EQ(Text(0, Column::Total), L"1,234,567");
    EXPECT_EQ(Text(1, Column::Total), L"89");
    EXPECT_EQ(Text(2, Column::Total), L"無");
    EXPECT_EQ(ini.GetIni(L"SORT", L"KEY", L""), L"3");
    EXPECT_EQ(ini.GetIni(L"SORT", L"ORDER", L""), L"1");
    EXPECT_TRUE(Selected(2));
    EXPECT_EQ(w.List().View().SelectedRows().size(), 1u);

    ClickHeader(3);
    EXPECT_EQ(Text(0, Column::Total), L"無");
    EXPECT_EQ(Text(1, Column::Total), L"89");
    EXPECT_EQ(Text(2, Column::Total), L"1,234,567");
    EXPECT_EQ(ini.GetIni(L"SORT", L"ORDER", L""), L"0");
    EXPECT_TRUE(Selected(0));

    ClickHeader(4);  // another column: the order flips again
    EXPECT_EQ(ini.GetIni(L"SORT", L"KEY", L""), L"4");
    EXPECT_EQ(ini.GetIni(L"SORT", L"ORDER", L""), L"1");
    EXPECT_EQ(Text(2, Column::Percent), L"");  // no percentage stays empty, last when descending
}

TEST_F(FileListPanelTest, ASortKeepsTheSelectedAndFocusedFilesWhereverTheyMove) {
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) test::MakeFile(File(name), 1);
    PanelHost& w = LoadOnDownloads(L"[SORT]\r\nKEY=1\r\nORDER=1\r\n");
    const HWND list = w.LVList();
    const auto mark = [&](std::initializer_list<const wchar_t*> selected, const wchar_t* focused) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        for (const wchar_t* name : selected) ListView_SetItemState(list, Row(name), LVIS_SELECTED, LVIS_SELECTED);
        ListView_SetItemState(list, Row(focused), LVIS_FOCUSED, LVIS_FOCUSED);
    };
    // The rows in list order, "+" selected, "*" focused.
    const auto shown = [&] {
        std::wstring text;
        for (int i = 0; i < Count(); ++i) {
            text += Text(i, Column::FileName);
            if (ListView_GetItemState(list, i, LVIS_SELECTED)) text += L'+';
            if (ListView_GetItemState(list, i, LVIS_FOCUSED)) text += L'*';
            text += L' ';
        }
        return text;
    };
    ASSERT_EQ(Column1(), (std::vector<std::wstring>{L"d", L"c", L"b", L"a"}));

    mark({L"b", L"d"}, L"c");
    ClickHeader(1);
    EXPECT_EQ(shown(), L"a b+ c* d+ ");
    mark({L"a", L"b", L"c"}, L"a");  // all but one
    ClickHeader(1);
    EXPECT_EQ(shown(), L"d c+ b+ a+* ");
    mark({L"a", L"b", L"c", L"d"}, L"d");
    ClickHeader(1);
    EXPECT_EQ(shown(), L"a+ b+ c+ d+* ");
    mark({}, L"b");  // focused, nothing selected
    ClickHeader(1);
    EXPECT_EQ(shown(), L"d c b* a ");
}

TEST_F(FileListPanelTest, TheListComesUpInTheStoredOrder) {
    test::MakeFile(File(L"file10.txt"), 30);
    test::MakeFile(File(L"file2.txt"), 10);
    test::MakeFile(File(L"File1.txt"), 20);
    LoadOnDownloads(L"[SORT]\r\nKEY=2\r\nORDER=1\r\n");
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"file10.txt", L"File1.txt", L"file2.txt"}));

    LoadOnDownloads(L"[SORT]\r\nKEY=1\r\nORDER=0\r\n");
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"File1.txt", L"file2.txt", L"file10.txt"}));

    LoadOnDownloads(L"[SORT]\r\nKEY=9\r\nORDER=0\r\n");  // no such column: by name
    EXPECT_EQ(Column1(), (std::vector<std::wstring>{L"File1.txt", L"file2.txt", L"file10.txt"}));
}

TEST_F(FileListPanelTest, FindingByPrefixStartsAfterTheStartRowAndWrapsOnlyWhenAsked) {
    for (const wchar_t* name : {L"apple.txt", L"Avocado.txt", L"banana.txt"}) test::MakeFile(File(name), 1);
    PanelHost& w = LoadOnDownloads(L"[SORT]\r\nKEY=1\r\nORDER=0\r\n");
    ASSERT_EQ(Column1(), (std::vector<std::wstring>{L"apple.txt", L"Avocado.txt", L"banana.txt"}));
    const auto find = [&w](int start, UINT flags, const wchar_t* text) {
        NMLVFINDITEMW request{};
        request.hdr.hwndFrom = w.LVList();
        request.hdr.idFrom = kIdList;
        request.hdr.code = LVN_ODFINDITEMW;
        request.iStart = start;
        request.lvfi.flags = flags;
        request.lvfi.psz = text;
        return static_cast<int>(SendMessageW(w.hwnd(), WM_NOTIFY, kIdList, reinterpret_cast<LPARAM>(&request)));
    };
    EXPECT_EQ(find(-1, LVFI_PARTIAL, L"a"), 0);  // from the top
    EXPECT_EQ(find(3, LVFI_PARTIAL, L"a"), 0);   // no such row: from the top too
    EXPECT_EQ(find(0, LVFI_PARTIAL, L"a"), 1);
    EXPECT_EQ(find(1, LVFI_PARTIAL, L"A"), -1);
    EXPECT_EQ(find(1, LVFI_PARTIAL | LVFI_WRAP, L"A"), 0);
    EXPECT_EQ(find(2, LVFI_PARTIAL | LVFI_WRAP, L"b"), -1);  // only the start row matches
    EXPECT_EQ(find(1, LVFI_PARTIAL, L"b"), 2);
    EXPECT_EQ(find(2, LVFI_PARTIAL, L"b"), -1);
    EXPECT_EQ(find(0, LVFI_STRING | LVFI_WRAP, L"BANANA.TXT"), 2);
    EXPECT_EQ(find(0, LVFI_STRING | LVFI_WRAP, L"banana"), -1);
}

TEST_F(FileListPanelTest, ListingTheSameFolderAgainKeepsSelectionFocusAndPlace) {
    for (int i = 0; i < 60; ++i) test::MakeFile(File(L"f" + std::to_wstring(100 + i) + L".bin"), i);
    PanelHost& w = LoadOnDownloads(L"[SORT]\r\nKEY=1\r\nORDER=0\r\n");
    ListView& view = w.List().View();
    view.ClearSelection();
    view.Select(Row(L"f140.bin"), true);
    view.Focus(Row(L"f140.bin"));
    view.EnsureVisible(59);
    const int top = ListView_GetTopIndex(w.LVList());
    ASSERT_GT(top, 0);
    test::MakeFile(File(L"e.bin"), 1);  // a new first row
    w.List().Relist();
    EXPECT_EQ(Count(), 60);  // the rows stay until the new ones are in
    Settle();
    EXPECT_EQ(Count(), 61);
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"f140.bin"});
    EXPECT_EQ(FocusedName(), L"f140.bin");
    EXPECT_EQ(ListView_GetTopIndex(w.LVList()), top);

    // Many selected, one of them gone meanwhile, the focus on another row.
    view.ClearSelection();
    std::vector<std::wstring> selected;
    for (int i = 100; i < 117; ++i) {
        view.Select(Row(L"f" + std::to_wstring(i) + L".bin"), true);
        if (i != 101) selected.push_back(L"f" + std::to_wstring(i) + L".bin");
    }
    view.Focus(Row(L"f150.bin"));
    DeleteFileW(File(L"f101.bin").c_str());
    w.List().Relist();
    Settle();
    EXPECT_EQ(SelectedNames(), selected);
    EXPECT_EQ(FocusedName(), L"f150.bin");
    // All selected: all stay so, but a file that came meanwhile is not.
    view.SelectAll();
    w.List().Relist();
    Settle();
    EXPECT_EQ(SelectedNames().size(), 60u);
    test::MakeFile(File(L"g.bin"), 1);
    w.List().Relist();
    Settle();
    EXPECT_EQ(SelectedNames().size(), 60u);
    EXPECT_EQ(Count(), 61);

    w.List().ListFolder(folder.path(), false);  // another folder: its own rows, from the top
    Settle();
    EXPECT_EQ(Column1(), std::vector<std::wstring>{L"Qelt.ini"});
    w.List().ListFolder(downloads + L"\\", true);
    Settle();
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"e.bin"});
}

TEST_F(FileListPanelTest, AnEmptyFolderShowsAnEmptyListAndNoFiles) {
    test::MakeFile(File(L".hidden"), 3);  // names with a dot in front are hidden here
    PanelHost& w = LoadOnDownloads();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(statusbar::Text(w.SBMain(), 1), L"0 ﾌｧｲﾙ");
    ClickHeader(2);  // sorting nothing still stores the choice
    EXPECT_EQ(ini.GetIni(L"SORT", L"KEY", L""), L"2");
}

TEST_F(FileListPanelTest, APointerOverATextItsColumnCutsShowsTheWholeTextInATip) {
    const std::wstring longName = L"__INCOMPLETE___" + std::wstring(60, L'x') + L".mp3";
    test::MakeFile(File(longName), 3);
    test::MakeFile(File(L"a.mp3"), 3);
    PanelHost& w = LoadOnDownloads();
    const HWND list = ListWindow();
    // What the tip is given once the pointer rests on the cell.
    const auto tipFor = [&](const std::wstring& name, int column) {
        RECT cell{};
        ListView_GetSubItemRect(list, Row(name), column, LVIR_LABEL, &cell);
        SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 3, (cell.top + cell.bottom) / 2));
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = w.List().View().TipWindow();
        info.hdr.code = static_cast<UINT>(TTN_GETDISPINFOW);
        SendMessageW(w.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return std::wstring(info.lpszText ? info.lpszText : L"(none)");
    };
    ASSERT_NE(w.List().View().TipWindow(), nullptr);
    EXPECT_EQ(tipFor(longName, 0), longName);
    EXPECT_EQ(tipFor(L"a.mp3", 0), L"");
    EXPECT_EQ(tipFor(longName, 0), longName);  // back on the cut cell
    ListView_SetColumnWidth(list, 0, 2000);   // wide enough: no tip
    EXPECT_EQ(tipFor(longName, 0), L"");
    ListView_SetColumnWidth(list, 1, 10);  // any column that cuts
    EXPECT_EQ(tipFor(L"a.mp3", 1), Text(Row(L"a.mp3"), Column::Size));
}

TEST_F(FileListPanelTest, SelectedRowsStayMarkedWhileTheKeyboardIsElsewhere) {
    test::MakeFile(File(L"a.mp3"), 3);
    PanelHost& w = LoadOnDownloads();
    const HWND list = ListWindow();
    // What the list's drawing is told for a selected row's cell.
    const auto drawn = [&](UINT state) {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = list;
        draw.nmcd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
        draw.nmcd.uItemState = state;
        draw.clrTextBk = CLR_NONE;
        SendMessageW(w.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
        return std::pair(draw.nmcd.uItemState, draw.clrTextBk);
    };
    SetFocus(w.cboFind());
    EXPECT_EQ(drawn(CDIS_SELECTED), std::pair(UINT{0}, ListView::UnfocusedSelectionColor()));
    EXPECT_EQ(drawn(0), std::pair(UINT{0}, COLORREF{CLR_NONE}));
    EXPECT_NE(ListView::UnfocusedSelectionColor(), GetSysColor(COLOR_WINDOW));
    SetFocus(list);  // with the keyboard, the control's own selection colours
    EXPECT_EQ(drawn(CDIS_SELECTED), std::pair(UINT{CDIS_SELECTED}, COLORREF{CLR_NONE}));
}

}  // namespace
}  // namespace orvane
