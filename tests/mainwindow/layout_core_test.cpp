#include "mainwindow/layout_core.h"

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

}  // namespace
}  // namespace orvane
