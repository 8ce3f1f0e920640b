// The list following its folder: real files changed while the real list
// shows them.
#include <gtest/gtest.h>

#include "support/file_list_panel_fixture.h"
#include "support/list_view_fixture.h"
#include "support/message_pump.h"
#include "support/temp_folder.h"

namespace orvane {
namespace {

using test::ListViewTest;
using test::PumpUntil;
using Names = std::vector<std::wstring>;

class FolderFollowTest : public test::FileListPanelTest {
protected:
    void Append(const std::wstring& path, std::size_t bytes) {
        const HANDLE file =
            CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const std::string data(bytes, 'x');
        DWORD written = 0;
        WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
        CloseHandle(file);
    }
    void SelectOnly(int row) {
        ListView_SetItemState(ListWindow(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemState(ListWindow(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
};

TEST_F(FolderFollowTest, GrownArrivedAndVanishedFilesReachTheSortedListAndTheSelectionStays) {
    test::MakeFile(File(L"a.bin"), 10);
    test::MakeFile(File(L"b.bin"), 20);
    test::MakeFile(File(L"c.bin"), 30);
    test::MakeFile(File(L"gone.bin"), 5);
    test::PanelHost& w = LoadOnDownloads(L"[SORT]\r\nKEY=2\r\nORDER=0\r\n");  // by current size
    ASSERT_EQ(Column1(), (Names{L"gone.bin", L"a.bin", L"b.bin", L"c.bin"}));
    SelectOnly(2);

    Append(File(L"a.bin"), 40);            // 50 bytes: past c.bin
    test::MakeFile(File(L"new.bin"), 30);  // shares its size with c.bin
    ASSERT_TRUE(DeleteFileW(File(L"gone.bin").c_str()));

    const Names expected{L"b.bin", L"c.bin", L"new.bin", L"a.bin"};
    EXPECT_TRUE(PumpUntil([&] { return Column1() == expected && Text(3, Column::Size) == L"50"; }))
        << testing::PrintToString(Column1());
    EXPECT_EQ(SelectedNames(), Names{L"b.bin"});
    EXPECT_EQ(FocusedName(), L"b.bin");
    EXPECT_EQ(Color(Row(L"c.bin"), Column::Size), 0x00FF00u);
    EXPECT_EQ(statusbar::Text(w.SBMain(), 1), L"4 ﾌｧｲﾙ");

    // The folder itself going (here: moved away, files and all) empties the
    // list, as the refresh command would, and says so. Back, after a file
    // stood in its place, it is followed again.
    const std::wstring moved = downloads + L"-moved";
    ASSERT_TRUE(MoveFileW(downloads.c_str(), moved.c_str())) << GetLastError();
    const auto goneSaid = [&] { return statusbar::Text(w.SBMain(), 0).find(L"存在しません") != std::wstring::npos; };
    EXPECT_TRUE(PumpUntil([&] { return Count() == 0 && goneSaid(); }));
    test::WriteBytes(downloads, "not a folder");
    ASSERT_TRUE(DeleteFileW(downloads.c_str()));
    ASSERT_TRUE(MoveFileW(moved.c_str(), downloads.c_str())) << GetLastError();
    test::MakeFile(File(L"later.bin"), 1);
    EXPECT_TRUE(PumpUntil([&] { return Count() == 5 && Row(L"later.bin") == 0 && !goneSaid(); }));
}

TEST_F(FolderFollowTest, AnOpenRenameHoldsUpdatesBackAndTheViewStaysOnItsRows) {
    for (int i = 10; i < 90; ++i) test::MakeFile(File(L"f" + std::to_wstring(i) + L".bin"), 1);
    test::PanelHost& w = LoadOnDownloads();
    const HWND list = w.LVList();
    ListView_EnsureVisible(list, Count() - 1, FALSE);
    const int top = ListView_GetTopIndex(list);
    ASSERT_GT(top, 0);
    SelectOnly(top + 1);
    const HWND edit = ListView_EditLabel(list, top + 1);
    ASSERT_NE(edit, nullptr);

    test::MakeFile(File(L"a.bin"), 1);                // sorts above every row in view
    const ULONGLONG until = GetTickCount64() + 1500;  // three turns of the update timer
    PumpUntil([&] { return GetTickCount64() > until; });
    EXPECT_EQ(ListView_GetEditControl(list), edit);
    EXPECT_EQ(Count(), 80);

    ListView_CancelEditLabel(list);
    EXPECT_TRUE(PumpUntil([&] { return Count() == 81; }));
    EXPECT_EQ(Text(0, Column::FileName), L"a.bin");
    EXPECT_EQ(ListView_GetTopIndex(list), top);  // the view keeps its place
    EXPECT_EQ(SelectedNames(), Names{L"f" + std::to_wstring(10 + top + 1) + L".bin"});
}

// The switch in the window's menu: stored, and the list catches up.
TEST_F(ListViewTest, TheMenuSwitchIsStoredAndSwitchedOnTheListCatchesUp) {
    test::MakeFile(File(L"a.bin"), 10);
    LoadOnDownloads();
    Command(kCmdAutoRefresh);
    EXPECT_FALSE(menu::IsChecked(main->Menu(), kCmdAutoRefresh));
    EXPECT_NE(test::ReadBytes(ini.IniName).find("AUTOREFRESH=0"), std::string::npos);

    test::MakeFile(File(L"b.bin"), 20);
    Command(kCmdAutoRefresh);
    EXPECT_TRUE(menu::IsChecked(main->Menu(), kCmdAutoRefresh));
    EXPECT_TRUE(PumpUntil([&] { return Column1() == Names{L"a.bin", L"b.bin"}; }));
    EXPECT_EQ(SelectedNames(), Names{L"a.bin"});
}

}  // namespace
}  // namespace orvane
