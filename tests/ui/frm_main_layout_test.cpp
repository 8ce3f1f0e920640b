// The layout as the user sees it: real controls in a real window.
#include <gtest/gtest.h>

#include "ui/commands.h"
#include "support/main_window_fixture.h"
#include "platform/controls.h"

namespace orvane {
namespace {

using test::MainWindowTest;

struct LayoutTest : MainWindowTest {
    int OuterWidthTwips() const {
        RECT r{};
        GetWindowRect(main->hwnd(), &r);
        return PixelsToTwips(r.right - r.left, Dpi());
    }
    void Press(int x) { SendMessageW(main->imgSplitter(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5)); }
    void Move(int x) { SendMessageW(main->imgSplitter(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 5)); }
    void Release(int x) { SendMessageW(main->imgSplitter(), WM_LBUTTONUP, 0, MAKELPARAM(x, 5)); }
};

TEST_F(LayoutTest, StartUpPlacesFindBarTreeSplitterAndListAsDesigned) {
    Frm_Main& w = LoadAndShow();
    EXPECT_EQ(Placed(w.cmdFind()), Expected({4260, 60, 810, 315}));
    EXPECT_EQ(Placed(w.cmdRefresh()), Expected({7605, 60, 810, 315}));
    EXPECT_EQ(Placed(w.cboFind()).left, Px(60));

    const PaneLayout& p = w.Panes();
    EXPECT_EQ(p.splitter.left, 2820);
    EXPECT_EQ(p.tree.width, 2700);
    EXPECT_EQ(p.list.left, 2895);
    EXPECT_EQ(p.list.width, OuterWidthTwips() - (2700 + 75 + 300));
    EXPECT_EQ(Placed(w.TVDir()), Expected(p.tree));
    EXPECT_EQ(Placed(w.imgSplitter()), Expected(p.splitter));
    EXPECT_EQ(Placed(w.LVList()), Expected(p.list));

    // Tree and list reach down to the status bar.
    const RECT status = Placed(w.SBMain());
    EXPECT_NEAR(Placed(w.LVList()).bottom, status.top, 1);
    EXPECT_FALSE(IsWindowVisible(w.picSplitter()));
}

TEST_F(LayoutTest, DraggingTheSplitterMovesOnlyTheBarUntilRelease) {
    Frm_Main& w = LoadAndShow();
    const RECT listBefore = Placed(w.LVList());

    Press(2);
    EXPECT_TRUE(IsWindowVisible(w.picSplitter()));
    EXPECT_EQ(Placed(w.picSplitter()).left, Px(2820));
    EXPECT_EQ(Placed(w.picSplitter()).right - Placed(w.picSplitter()).left, Px(37));

    Move(Px(600));  // to the right by 600 twips
    EXPECT_NEAR(Placed(w.picSplitter()).left, Px(3420), 1);
    EXPECT_EQ(Placed(w.LVList()), listBefore);  // nothing else moves yet

    Move(-Px(2700));  // far to the left: the bar stops at 500
    EXPECT_EQ(Placed(w.picSplitter()).left, Px(500));
    Release(-Px(2700));
    EXPECT_FALSE(IsWindowVisible(w.picSplitter()));
    EXPECT_EQ(w.Panes().splitter.left, 1500);  // then the layout minimum
    EXPECT_EQ(w.Panes().tree.width, 1380);
    EXPECT_EQ(Placed(w.TVDir()), Expected(w.Panes().tree));
    EXPECT_EQ(Placed(w.LVList()).left, Px(1575));

    Press(2);
    Move(Px(30000));  // far right: the bar stops 500 from the edge
    EXPECT_EQ(Placed(w.picSplitter()).left, Px(OuterWidthTwips() - 500));
    Release(Px(30000));
    EXPECT_EQ(w.Panes().splitter.left, OuterWidthTwips() - 1500);

    Move(Px(100));  // moving without a drag does nothing
    EXPECT_FALSE(IsWindowVisible(w.picSplitter()));
}

TEST_F(LayoutTest, HidingTheTreeGivesTheListTheWholeWidthAndShowingRestoresIt) {
    Frm_Main& w = LoadAndShow();
    Press(2);
    Move(Px(400));
    Release(Px(400));
    const PaneLayout shown = w.Panes();

    SendMessageW(w.hwnd(), WM_COMMAND, kCmdToggleTree, 0);
    EXPECT_FALSE(w.TreeVisible());
    EXPECT_FALSE(menu::IsChecked(w.Menu(), kCmdToggleTree));
    EXPECT_EQ(w.Panes().list.left, 60);
    EXPECT_EQ(w.Panes().list.width, OuterWidthTwips() - 300);
    EXPECT_EQ(Placed(w.LVList()), Expected(w.Panes().list));
    EXPECT_TRUE(IsWindowVisible(w.cboFind()));
    EXPECT_TRUE(IsWindowVisible(w.SBMain()));

    SendMessageW(w.hwnd(), WM_COMMAND, kCmdToggleTree, 0);
    EXPECT_TRUE(w.TreeVisible());
    EXPECT_EQ(w.Panes().list.left, shown.list.left);
    EXPECT_EQ(w.Panes().list.width, shown.list.width);
    EXPECT_EQ(w.Panes().splitter.left, shown.splitter.left);
}

TEST_F(LayoutTest, TheListAndItsHeaderAreRepaintedWholeWheneverTheLayoutMovesThem) {
    Frm_Main& w = LoadAndShow();
    const HWND header = ListView_GetHeader(w.LVList());
    for (const bool showTree : {false, true}) {
        RedrawWindow(w.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // nothing left to paint
        SendMessageW(w.hwnd(), WM_COMMAND, kCmdToggleTree, 0);  // no messages run before the paint is looked at
        ASSERT_EQ(w.TreeVisible(), showTree);
        for (const HWND pane : {w.LVList(), header}) {
            RECT client{}, dirty{};
            GetClientRect(pane, &client);
            GetUpdateRect(pane, &dirty, FALSE);
            EXPECT_EQ(dirty, client) << (pane == header ? "header" : "list");
        }
    }
}

TEST_F(LayoutTest, ResizingAdaptsWidthAndHeightsButNeverPositionsOrTheFindBar) {
    Frm_Main& w = LoadAndShow();
    const RECT findBefore = Placed(w.cboFind());
    const PaneLayout before = w.Panes();

    SetWindowPos(w.hwnd(), nullptr, 0, 0, Px(14000), Px(10000), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(w.Panes().list.width, OuterWidthTwips() - (before.tree.width + 75 + 250));
    EXPECT_NEAR(w.Panes().tree.height, 10000 - 1700, 15);
    EXPECT_EQ(w.Panes().list.height, w.Panes().tree.height);
    EXPECT_EQ(w.Panes().list.left, before.list.left);
    EXPECT_EQ(Placed(w.cboFind()), findBefore);
    EXPECT_EQ(Placed(w.LVList()), Expected(w.Panes().list));

    // Just above the width threshold but narrower than tree and splitter:
    // the list keeps its last width instead of taking a negative one.
    const PaneLayout wide = w.Panes();
    SetWindowPos(w.hwnd(), nullptr, 0, 0, Px(2600), Px(10000), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(w.Panes().list.width, wide.list.width);
    EXPECT_EQ(Placed(w.cboFind()), findBefore);

    // Below both thresholds nothing changes at all.
    const PaneLayout narrow = w.Panes();
    SetWindowPos(w.hwnd(), nullptr, 0, 0, Px(2400), Px(1700), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(w.Panes().list, narrow.list);
    EXPECT_EQ(w.Panes().tree, narrow.tree);
}

// A stored size too small to use, columns too narrow to see and a switch
// other than 0 or 1 give the window as made, shown maximised; closing then
// stores that window, not what was read.
TEST_F(LayoutTest, AStoredWindowStateOutsideSenseGivesTheWindowAsMadeAndIsNotWrittenBack) {
    SendMessageW(LoadAndShow().hwnd(), WM_CLOSE, 0, 0);
    const auto stored = [this] {
        return std::vector{ini.GetIni(L"VIEW", L"WIDTH", L""), ini.GetIni(L"VIEW", L"HEIGHT", L""),
                           ini.GetIni(L"VIEW", L"COLUMNS", L"")};
    };
    const std::vector made = stored();
    for (auto [size, columns] :
         {std::pair{L"-9000", L"0,0,0,0,0,0,0"}, {L"0", L"1,2,3,4,5,6,7"}, {L"1500", L"0,0,0,0,0,0,0"}}) {
        WriteSettings(std::wstring(L"[VIEW]\r\nWIDTH=") + size + L"\r\nHEIGHT=" + size + L"\r\nCOLUMNS=" + columns +
                      L"\r\nMAXIMIZED=2\r\n");
        Frm_Main& w = Load();
        w.Show(SW_SHOWNORMAL);
        EXPECT_TRUE(IsZoomed(w.hwnd())) << size;
        SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(stored(), made) << size;
    }
    // Shrunk, or every column closed up, by hand: the next start would not take it either.
    Frm_Main& w = LoadAndShow();
    SetWindowPos(w.hwnd(), nullptr, 0, 0, Px(3000), Px(2000), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int column = 0; column < kColumnCount; ++column) listview::SetColumnWidth(w.LVList(), column, 0);
    SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    const std::vector after = stored();
    EXPECT_EQ(after[0], made[0]);
    EXPECT_EQ(after[1], made[1]);
    EXPECT_TRUE(after[2].starts_with(std::to_wstring(FileColumns()[0].widthTwips) + L",")) << after[2];
}

}  // namespace
}  // namespace orvane
