// Placement of the main window's tree, splitter and list, in twips.
// Platform-free: the window side converts to pixels and applies the result.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"

namespace orvane {

namespace layout {
inline constexpr int kMinTreeSide = 1500;
inline constexpr int kMinListSide = 1500;
inline constexpr int kTreeGap = 120;
inline constexpr int kPaneTop = 480;
inline constexpr int kListMargin = 300;
inline constexpr int kListLeftWithoutTree = 60;
inline constexpr int kDragLimit = 500;
inline constexpr int kDragBarHeightReduction = 20;
inline constexpr int kResizeMinWidth = 2500;
inline constexpr int kResizeMinHeight = 1800;
inline constexpr int kResizeListMargin = 250;
inline constexpr int kResizeHeightReduction = 1700;

// The window as designed: wide enough for the list to show all seven
// columns at their designed widths beside its vertical scroll bar.
inline constexpr int kDesignClientWidth = 14580;
inline constexpr int kDesignClientHeight = 7635;
inline constexpr TwipRect kDesignTree{60, 480, 2775, 6735};
inline constexpr TwipRect kDesignSplitter{2820, 480, 75, 6855};
inline constexpr TwipRect kDesignList{2940, 480, 11535, 6795};
inline constexpr int kDesignStatusHeight = 345;

// The smallest window the layout keeps both panes in (outer size).
inline constexpr int kMinWindowWidth = kMinTreeSide + kMinListSide;
inline constexpr int kMinWindowHeight = kResizeMinHeight;
}  // namespace layout

// Where tree, splitter strip and list stand.
struct PaneLayout {
    TwipRect tree = layout::kDesignTree;
    TwipRect splitter = layout::kDesignSplitter;
    TwipRect list = layout::kDesignList;
};

struct WindowMetrics {
    int outerWidth = 0;
    int outerHeight = 0;
    int clientHeight = 0;
    int statusHeight = 0;
    bool statusVisible = true;
    bool treeVisible = true;
};

// Clamps the wanted splitter position x (written back) and lays out tree,
// splitter and list from scratch.
PaneLayout SizeControls(double& x, const PaneLayout& current, const WindowMetrics& window);

// The grey bar shown while the splitter is dragged.
TwipRect DragBarAtStart(const TwipRect& splitter);
int DragBarLeft(int splitterLeft, int mouseX, int outerWidth);

// A resize adapts the list width and the heights, never positions.
PaneLayout ResizePanes(const PaneLayout& current, const WindowMetrics& window);

// The main window's place from its stored edges, in twips at the given DPI
// (rounded to the nearest pixel); an edge that is not stored keeps the place
// the system chose. The size stays that of `chosen`.
ScreenRect StoredWindowPlace(std::optional<int> leftTwips, std::optional<int> topTwips, const ScreenRect& chosen,
                             int dpi);

// The window moved onto the work area: wholly inside where it fits, with its
// left and top edges on the work area where it does not.
ScreenRect KeptOnWorkArea(const ScreenRect& window, const ScreenRect& workArea);

// The window at its stored size (twips at the given DPI, rounded to the
// nearest pixel), never below minWidth x minHeight pixels; a size that is not
// stored keeps that of `chosen`. The top left corner stays.
ScreenRect StoredWindowSize(std::optional<int> widthTwips, std::optional<int> heightTwips, const ScreenRect& chosen,
                            int dpi, int minWidth, int minHeight);

// A window larger than the work area shrinks to it, though never below the
// minimum; the top left corner stays (KeptOnWorkArea then moves it).
ScreenRect FittedToWorkArea(const ScreenRect& window, const ScreenRect& workArea, int minWidth, int minHeight);

// Stored column widths: count widths in twips, comma-separated, each from 0
// (a column the user closed up) to 100,000. Anything else is not used.
std::optional<std::vector<int>> StoredColumnWidths(std::wstring_view text, std::size_t count);
std::wstring ColumnWidthsText(const std::vector<int>& widths);

// A placement keeps the present width or height where the wanted one is
// negative: such a step is skipped, the rest still applies.
TwipRect MergePlacement(const TwipRect& current, const TwipRect& wanted);

}  // namespace orvane
