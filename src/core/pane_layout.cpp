#include "core/pane_layout.h"

#include "core/settings_model.h"

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

ScreenRect StoredWindowSize(std::optional<int> widthTwips, std::optional<int> heightTwips, const ScreenRect& chosen,
                            int dpi, int minWidth, int minHeight) {
    const auto side = [&](std::optional<int> twips, int chosenPixels, int minimum) {
        const int pixels = twips ? TwipsToPixelsRounded(*twips, dpi) : chosenPixels;
        return std::max(pixels, minimum);
    };
    const int width = side(widthTwips, chosen.right - chosen.left, minWidth);
    const int height = side(heightTwips, chosen.bottom - chosen.top, minHeight);
    return {chosen.left, chosen.top, chosen.left + width, chosen.top + height};
}

ScreenRect FittedToWorkArea(const ScreenRect& window, const ScreenRect& workArea, int minWidth, int minHeight) {
    const int width = std::max(std::min(window.right - window.left, workArea.right - workArea.left), minWidth);
    const int height = std::max(std::min(window.bottom - window.top, workArea.bottom - workArea.top), minHeight);
    return {window.left, window.top, window.left + width, window.top + height};
}

std::optional<std::vector<int>> StoredColumnWidths(std::wstring_view text, std::size_t count) {
    constexpr int kWidestColumn = 100'000;
    std::vector<int> widths;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(L',', start);
        const std::optional<int> width = ToTwips(text.substr(start, comma - start));
        if (!width || *width < 0 || *width > kWidestColumn) return std::nullopt;
        widths.push_back(*width);
        if (widths.size() > count) return std::nullopt;
        if (comma == std::wstring_view::npos) break;
        start = comma + 1;
    }
    if (widths.size() != count) return std::nullopt;
    return widths;
}

std::wstring ColumnWidthsText(const std::vector<int>& widths) {
    std::wstring text;
    for (int width : widths) {
        if (!text.empty()) text += L',';
        text += std::to_wstring(width);
    }
    return text;
}

TwipRect MergePlacement(const TwipRect& current, const TwipRect& wanted) {
    TwipRect placed = wanted;
    if (wanted.width < 0) placed.width = current.width;
    if (wanted.height < 0) placed.height = current.height;
    return placed;
}

}  // namespace orvane
