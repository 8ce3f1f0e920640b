#include "core/pane_layout.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

WindowMetrics Window(int outerWidth, bool treeVisible = true) {
    WindowMetrics w;
    w.outerWidth = outerWidth;
    w.outerHeight = 8400;
    w.clientHeight = 7635;
    w.statusHeight = 345;
    w.treeVisible = treeVisible;
    return w;
}

TEST(LayoutCore, SizeControlsPlacesTreeSplitterAndListFromThePosition) {
    double x = 2820;
    const PaneLayout l = SizeControls(x, PaneLayout{}, Window(11040));
    EXPECT_EQ(x, 2820);
    EXPECT_EQ(l.tree, (TwipRect{60, 480, 2700, 6810}));
    EXPECT_EQ(l.splitter, (TwipRect{2820, 480, 75, 6810}));
    EXPECT_EQ(l.list, (TwipRect{2895, 480, 11040 - (2700 + 75 + 300), 6810}));
}

TEST(LayoutCore, SplitterIsClampedAndTheClampedValueWrittenBack) {
    double x = 700;
    EXPECT_EQ(SizeControls(x, PaneLayout{}, Window(11040)).tree.width, 1380);
    EXPECT_EQ(x, 1500);

    x = 20000;
    EXPECT_EQ(SizeControls(x, PaneLayout{}, Window(11040)).splitter.left, 11040 - 1500);
    EXPECT_EQ(x, 11040 - 1500);

    x = 2820;  // a narrow window: the right-hand limit wins over the minimum
    EXPECT_EQ(SizeControls(x, PaneLayout{}, Window(2800)).splitter.left, 1300);
    EXPECT_EQ(x, 1300);
}

TEST(LayoutCore, HiddenTreeGivesTheListTheWholeWidthAndShowingRestoresIt) {
    double x = 3000;
    const PaneLayout hidden = SizeControls(x, PaneLayout{}, Window(11040, false));
    EXPECT_EQ(hidden.list.left, 60);
    EXPECT_EQ(hidden.list.width, 11040 - 300);
    EXPECT_EQ(hidden.splitter.left, 3000);  // the splitter keeps its place under the list

    double again = hidden.splitter.left;
    const PaneLayout shown = SizeControls(again, hidden, Window(11040, true));
    EXPECT_EQ(shown.list.left, 3075);
    EXPECT_EQ(shown.tree.width, 2880);
}

TEST(LayoutCore, WithoutStatusBarTheTreeReachesTheBottom) {
    WindowMetrics w = Window(11040);
    w.statusVisible = false;
    double x = 2820;
    EXPECT_EQ(SizeControls(x, PaneLayout{}, w).tree.height, 7635 - 480);
}

TEST(LayoutCore, DragBarIsHalfTheStripAndStaysAwayFromTheEdges) {
    const TwipRect bar = DragBarAtStart({2820, 480, 75, 6855});
    EXPECT_EQ(bar, (TwipRect{2820, 480, 37, 6835}));
    EXPECT_EQ(DragBarLeft(2820, -2620, 11040), 500);    // dragged to 200
    EXPECT_EQ(DragBarLeft(2820, 20000, 11040), 10540);  // far right
    EXPECT_EQ(DragBarLeft(2820, 100, 11040), 2920);

    // Released at 200: the drag limit gives 500, the layout limit 1500.
    double x = DragBarLeft(2820, -2620, 11040);
    SizeControls(x, PaneLayout{}, Window(11040));
    EXPECT_EQ(x, 1500);
    x = DragBarLeft(2820, 20000, 11040);
    SizeControls(x, PaneLayout{}, Window(11040));
    EXPECT_EQ(x, 11040 - 1500);
}

TEST(LayoutCore, ResizeAdaptsWidthAndHeightsAboveTheThresholdsOnly) {
    PaneLayout start;
    WindowMetrics w = Window(12000);
    w.outerHeight = 9000;
    PaneLayout r = ResizePanes(start, w);
    EXPECT_EQ(r.list.width, 12000 - (2775 + 75 + 250));
    EXPECT_EQ(r.tree.height, 7300);
    EXPECT_EQ(r.list.height, 7300);
    EXPECT_EQ(r.splitter.height, 7300);
    EXPECT_EQ(r.list.left, start.list.left);
    EXPECT_EQ(r.tree.top, start.tree.top);

    w.treeVisible = false;
    EXPECT_EQ(ResizePanes(start, w).list.width, 12000 - 250);

    w.outerWidth = 2500;
    w.outerHeight = 1800;
    r = ResizePanes(start, w);
    EXPECT_EQ(r.list, start.list);
    EXPECT_EQ(r.tree, start.tree);
}

TEST(LayoutCore, NegativeSizesAreNeverPlaced) {
    // A window just wider than the threshold but narrower than the tree.
    WindowMetrics w = Window(2600);
    const PaneLayout r = ResizePanes(PaneLayout{}, w);
    ASSERT_LT(r.list.width, 0);
    const TwipRect placed = MergePlacement(PaneLayout{}.list, r.list);
    EXPECT_EQ(placed.width, PaneLayout{}.list.width);
    EXPECT_EQ(placed.height, r.list.height);
    EXPECT_EQ(MergePlacement({1, 2, 3, 4}, {5, 6, -1, -2}), (TwipRect{5, 6, 3, 4}));
}

TEST(LayoutCore, StoredPlaceIsInTwipsAtTheGivenDpi) {
    const ScreenRect chosen{30, 40, 750, 550};
    EXPECT_EQ(StoredWindowPlace(1500, 900, chosen, 96), (ScreenRect{100, 60, 820, 570}));
    EXPECT_EQ(StoredWindowPlace(1500, 900, chosen, 144), (ScreenRect{150, 90, 870, 600}));
    EXPECT_EQ(StoredWindowPlace(1508, -1508, chosen, 96), (ScreenRect{101, -101, 821, 409}));  // nearest pixel
    EXPECT_EQ(StoredWindowPlace(std::nullopt, 900, chosen, 96), (ScreenRect{30, 60, 750, 570}));
    EXPECT_EQ(StoredWindowPlace(100'000'000, std::nullopt, chosen, 480).left, 33'333'333);
}

TEST(LayoutCore, WindowIsKeptOnTheWorkArea) {
    const ScreenRect work{0, 0, 1280, 984};
    const ScreenRect fits{560, 475, 1280, 984};  // touches the right and bottom edges
    EXPECT_EQ(KeptOnWorkArea(fits, work), fits);
    EXPECT_EQ(KeptOnWorkArea({561, 476, 1281, 985}, work), fits);
    EXPECT_EQ(KeptOnWorkArea({6'666'667, 2'666, 6'667'387, 3'175}, work), fits);
    EXPECT_EQ(KeptOnWorkArea({-3'333, -1, -2'613, 508}, work), (ScreenRect{0, 0, 720, 509}));
    EXPECT_EQ(KeptOnWorkArea({100, 100, 2100, 1100}, work), (ScreenRect{0, 0, 2000, 1000}));  // larger: top left
    const ScreenRect leftMonitor{-1920, 0, 0, 1040};  // a second monitor left of the main one
    EXPECT_EQ(KeptOnWorkArea({-1500, 10, -780, 519}, leftMonitor), (ScreenRect{-1500, 10, -780, 519}));
}

TEST(LayoutCore, StoredWindowSizeIsRoundedToPixelsAndKeptBetweenTheMinimumAndTheWorkArea) {
    const ScreenRect chosen{100, 50, 820, 560};
    EXPECT_EQ(StoredWindowSize(std::nullopt, std::nullopt, chosen, 96, 200, 120), chosen);
    EXPECT_EQ(StoredWindowSize(9007, 6000, chosen, 96, 200, 120), (ScreenRect{100, 50, 700, 450}));  // 600.47 px
    EXPECT_EQ(StoredWindowSize(9008, std::nullopt, chosen, 96, 200, 120), (ScreenRect{100, 50, 701, 560}));
    EXPECT_EQ(StoredWindowSize(3000, 1800, chosen, 144, 300, 181), (ScreenRect{100, 50, 400, 231}));  // at the minimum
    EXPECT_EQ(StoredWindowSize(-3000, 0, chosen, 96, 200, 120), (ScreenRect{100, 50, 300, 170}));

    const ScreenRect work{0, 0, 1024, 738};
    EXPECT_EQ(FittedToWorkArea({10, 20, 1034, 758}, work, 200, 120), (ScreenRect{10, 20, 1034, 758}));  // fits exactly
    EXPECT_EQ(FittedToWorkArea({10, 20, 1035, 759}, work, 200, 120), (ScreenRect{10, 20, 1034, 758}));
    EXPECT_EQ(FittedToWorkArea({10, 20, 5000, 90}, {0, 0, 150, 100}, 200, 120), (ScreenRect{10, 20, 210, 140}));
}

TEST(LayoutCore, ColumnWidthsAreReadOnlyAsExactlyTheWholeSetOfSensibleWidths) {
    EXPECT_EQ(StoredColumnWidths(L"3000,1200, 0 ,100000,1,2,3", 7), (std::vector<int>{3000, 1200, 0, 100000, 1, 2, 3}));
    EXPECT_EQ(ColumnWidthsText({3000, 1200, 0, 100000, 1, 2, 3}), L"3000,1200,0,100000,1,2,3");
    for (const wchar_t* bad : {L"", L"1,2,3,4,5,6", L"1,2,3,4,5,6,7,8", L"1,2,3,4,5,6,", L"1,,3,4,5,6,7",
                               L"1,2,3,4,5,6,-1", L"1,2,3,4,5,6,100001", L"1,2,3,4,5,6,x", L"1;2;3;4;5;6;7"})
        EXPECT_FALSE(StoredColumnWidths(bad, 7)) << bad;
}

}  // namespace
}  // namespace orvane
