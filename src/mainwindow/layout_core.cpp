#include "mainwindow/layout_core.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orvane {

using namespace layout;

PaneLayout SizeControls(double& x, const PaneLayout& current, const WindowMetrics& window) {
    if (x < kMinTreeSide) x = kMinTreeSide;
    if (x > window.outerWidth - kMinListSide) x = window.outerWidth - kMinListSide;
    const int pos = static_cast<int>(std::lround(x));

    PaneLayout next = current;
    next.tree.width = pos - kTreeGap;
    next.splitter.left = pos;
    if (window.treeVisible) {
        next.list.left = pos + current.splitter.width;
        next.list.width = window.outerWidth - (next.tree.width + current.splitter.width + kListMargin);
    } else {
        next.list.left = kListLeftWithoutTree;
        next.list.width = window.outerWidth - kListMargin;
    }
    next.tree.top = kPaneTop;
    next.list.top = kPaneTop;
    next.tree.height =
        window.statusVisible ? window.clientHeight - (kPaneTop + window.statusHeight) : window.clientHeight - kPaneTop;
    next.list.height = next.tree.height;
    next.splitter.top = kPaneTop;
    next.splitter.height = next.tree.height;
    return next;
}

TwipRect DragBarAtStart(const TwipRect& splitter) {
    return {splitter.left, splitter.top, splitter.width / 2, splitter.height - kDragBarHeightReduction};
}

int DragBarLeft(int splitterLeft, int mouseX, int outerWidth) {
    const int p = splitterLeft + mouseX;
    if (p < kDragLimit) return kDragLimit;
    if (p > outerWidth - kDragLimit) return outerWidth - kDragLimit;
    return p;
}

PaneLayout ResizePanes(const PaneLayout& current, const WindowMetrics& window) {
    PaneLayout next = current;
    if (window.outerWidth > kResizeMinWidth) {
        next.list.width = window.treeVisible
                              ? window.outerWidth - (current.tree.width + current.splitter.width + kResizeListMargin)
                              : window.outerWidth - kResizeListMargin;
    }
    if (window.outerHeight > kResizeMinHeight) {
        const int height = window.outerHeight - kResizeHeightReduction;
        next.tree.height = height;
        next.list.height = height;
        next.splitter.height = height;
    }
    return next;
}

namespace {

constexpr int kTwipsPerInch = 1440;

int TwipsToPixelsRounded(int twips, int dpi) {
    const std::int64_t scaled = std::int64_t{twips} * dpi;
    const std::int64_t half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch : -((-scaled + half) / kTwipsPerInch));
}

// One edge: the window's start kept within [low, high - length], or at low
// when it is longer than the work area.
int KeptWithin(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace

ScreenRect StoredWindowPlace(std::optional<int> leftTwips, std::optional<int> topTwips, const ScreenRect& chosen,
                             int dpi) {
    ScreenRect place = chosen;
    if (leftTwips) place.left = TwipsToPixelsRounded(*leftTwips, dpi);
    if (topTwips) place.top = TwipsToPixelsRounded(*topTwips, dpi);
    place.right = place.left + (chosen.right - chosen.left);
    place.bottom = place.top + (chosen.bottom - chosen.top);
    return place;
}

ScreenRect KeptOnWorkArea(const ScreenRect& window, const ScreenRect& workArea) {
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int left = KeptWithin(window.left, width, workArea.left, workArea.right);
    const int top = KeptWithin(window.top, height, workArea.top, workArea.bottom);
    return {left, top, left + width, top + height};
}

TwipRect MergePlacement(const TwipRect& current, const TwipRect& wanted) {
    TwipRect placed = wanted;
    if (wanted.width < 0) placed.width = current.width;
    if (wanted.height < 0) placed.height = current.height;
    return placed;
}

}  // namespace orvane
