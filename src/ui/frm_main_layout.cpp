// Placement of the main window's controls: the panes, the splitter and its
// drag, window resizing and DPI changes.
#include "ui/frm_main.h"

#include <algorithm>

#include "ui/commands.h"
#include "ui/splitter.h"
#include "platform/controls.h"
#include "platform/dpi.h"

namespace orvane {

namespace {

constexpr int kCountPanelTwips = 1800;
constexpr int kSelectionPanelTwips = 4200;  // "一致 1,234 件　1,234 個の項目を選択 999 MB"

void Place(HWND control, const TwipRect& rect, UINT dpi) {
    const RECT px = TwipsToPixels(rect, dpi);
    MoveWindow(control, px.left, px.top, px.right - px.left, px.bottom - px.top, TRUE);
}

}  // namespace

HWND Frm_Main::imgSplitter() const { return splitter_ ? splitter_->hwnd() : nullptr; }
HWND Frm_Main::picSplitter() const { return splitter_ ? splitter_->DragBar() : nullptr; }

WindowMetrics Frm_Main::Metrics() const {
    RECT outer{}, client{}, status{};
    GetWindowRect(hwnd(), &outer);
    GetClientRect(hwnd(), &client);
    GetWindowRect(SBMain(), &status);
    WindowMetrics m;
    m.outerWidth = PixelsToTwips(outer.right - outer.left, dpi_);
    m.outerHeight = PixelsToTwips(outer.bottom - outer.top, dpi_);
    m.clientHeight = PixelsToTwips(client.bottom, dpi_);
    m.statusHeight = PixelsToTwips(status.bottom - status.top, dpi_);
    m.statusVisible = IsWindowVisible(SBMain()) != FALSE;
    m.treeVisible = TreeVisible();
    return m;
}

void Frm_Main::ApplyPanes(const PaneLayout& next) {
    // A size that a control cannot take (negative) keeps the present one.
    panes_.tree = MergePlacement(panes_.tree, next.tree);
    panes_.splitter = MergePlacement(panes_.splitter, next.splitter);
    panes_.list = MergePlacement(panes_.list, next.list);
    PlacePanes();
}

void Frm_Main::PlacePanes() {
    Place(TVDir(), panes_.tree, dpi_);
    Place(imgSplitter(), panes_.splitter, dpi_);
    RECT before{}, after{};
    GetWindowRect(LVList(), &before);
    Place(LVList(), panes_.list, dpi_);
    GetWindowRect(LVList(), &after);
    // A move only repaints what it uncovers and keeps the old pixels of the
    // rest, which left the name column and the header blank after the tree
    // was hidden and shown: the list and its header are drawn anew whole.
    if (!EqualRect(&before, &after))
        RedrawWindow(LVList(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Frm_Main::PlaceStatusParts() {
    if (!SBMain()) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    // The folder, the count, then what is selected and found.
    const int countWidth = TwipsToPixels(kCountPanelTwips, dpi_);
    const int selectionWidth = TwipsToPixels(kSelectionPanelTwips, dpi_);
    const int right = static_cast<int>(client.right);
    statusbar::SetPartRights(
        SBMain(), {std::max(0, right - countWidth - selectionWidth), std::max(0, right - selectionWidth), -1});
}

void Frm_Main::SizeControls(double& x) { ApplyPanes(orvane::SizeControls(x, panes_, Metrics())); }

void Frm_Main::OnResize() {
    if (!LVList()) return;
    ApplyPanes(ResizePanes(panes_, Metrics()));
    dragBar_.height = panes_.splitter.height;
}

void Frm_Main::OnDpiChanged(UINT dpi, const RECT& suggested) {
    const UINT previous = dpi_;
    dpi_ = dpi;
    font_ = CreateUiFont(dpi_);
    SetFontOnChildren(hwnd(), font_.get());
    for (int i = 0; i < listview::ColumnCount(LVList()); ++i)
        listview::SetColumnWidth(LVList(), i, MulDiv(listview::ColumnWidth(LVList(), i), dpi, previous));
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    findBar_.Place(dpi_);
    double x = panes_.splitter.left;
    SizeControls(x);
}

void Frm_Main::OnSplitterDown() {
    dragBar_ = DragBarAtStart(panes_.splitter);
    Place(picSplitter(), dragBar_, dpi_);
    SetWindowPos(picSplitter(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SplitterDragging = true;
}

void Frm_Main::OnSplitterMove(int xPixels) {
    const int xTwips = PixelsToTwips(xPixels, dpi_);
    if (!SplitterDragging) return;
    dragBar_.left = DragBarLeft(panes_.splitter.left, xTwips, Metrics().outerWidth);
    Place(picSplitter(), dragBar_, dpi_);
}

void Frm_Main::OnSplitterUp() {
    if (!SplitterDragging) return;
    SplitterDragging = false;
    double x = dragBar_.left;
    SizeControls(x);
    ShowWindow(picSplitter(), SW_HIDE);
}

}  // namespace orvane
