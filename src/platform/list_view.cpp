#include "platform/list_view.h"

#include <algorithm>
#include <cwchar>

#include "platform/dpi.h"

namespace orvane {

void ListView::Create(HWND parent, int id) {
    list_ = CreateChild(parent, WC_LISTVIEWW, L"",
                        WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA | LVS_EDITLABELS, id,
                        WS_EX_CLIENTEDGE);
    listview::SetExtendedStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                               LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    SetWindowSubclass(list_, ListProc, reinterpret_cast<UINT_PTR>(&ListView::ListProc),
                      reinterpret_cast<DWORD_PTR>(this));
    CreateTip(parent);
}

void ListView::CreateTip(HWND parent) {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    if (!tip_) return;
    // The list is the tool; the tip asks the parent for its text each time
    // it is about to show.
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(list_);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // A long name wraps rather than running off the screen.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, std::max(GetSystemMetrics(SM_CXSCREEN) / 2, 200));
}

void ListView::FollowPointer(LPARAM at) {
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    const int row = ListView_SubItemHitTest(list_, &hit) >= 0 && (hit.flags & LVHT_ONITEM) ? hit.iItem : -1;
    const int column = row >= 0 ? hit.iSubItem : -1;
    if (row == tipRow_ && column == tipColumn_) return;
    tipRow_ = row;
    tipColumn_ = column;
    if (tip_) SendMessageW(tip_, TTM_POP, 0, 0);
}

std::wstring ListView::CutText(int row, int column) const {
    if (row < 0 || column < 0 || row >= RowCount()) return {};
    std::wstring text = delegate_.CellText(row, column);
    RECT cell{};
    if (text.empty() || !ListView_GetSubItemRect(list_, row, column, LVIR_LABEL, &cell)) return {};
    // The control keeps a margin on both sides of a cell's text.
    const int margin = MulDiv(12, static_cast<int>(DpiOf(list_)), 96);
    if (ListView_GetStringWidth(list_, text.c_str()) + margin <= cell.right - cell.left) return {};
    return text;
}

void ListView::SetBackground(std::optional<Picture> picture) {
    background_ = std::move(picture);
    // Behind a picture the control paints no background of its own; its
    // double buffer would paint one, so it is off while a picture shows.
    const bool shown = background_.has_value();
    const COLORREF back = shown ? CLR_NONE : GetSysColor(COLOR_WINDOW);
    ListView_SetBkColor(list_, back);
    ListView_SetTextBkColor(list_, back);
    listview::SetExtendedStyle(list_, LVS_EX_DOUBLEBUFFER, shown ? 0 : LVS_EX_DOUBLEBUFFER);
    Repaint(true);
}

void ListView::SetBusy(bool busy) {
    if (busy_ == busy) return;
    busy_ = busy;
    // The pointer changes now, not at the next move.
    POINT at{};
    if (GetCursorPos(&at) && WindowFromPoint(at) == list_)
        SendMessageW(list_, WM_SETCURSOR, reinterpret_cast<WPARAM>(list_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void ListView::SetBackgroundPlacement(PicturePlacement placement) {
    placement_ = placement;
    Repaint(true);
}

void ListView::PaintBackground(HDC dc) const {
    RECT client{};
    GetClientRect(list_, &client);
    RECT header{};
    if (const HWND headerWindow = ListView_GetHeader(list_);
        headerWindow && (GetWindowLongPtrW(headerWindow, GWL_STYLE) & WS_VISIBLE)) {
        GetWindowRect(headerWindow, &header);
        MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&header), 2);
    }
    const ScreenRect area{client.left, std::max<int>(client.top, header.bottom), client.right, client.bottom};
    RECT paint{};
    if (GetClipBox(dc, &paint) == ERROR) paint = client;
    paint.top = std::max<LONG>(paint.top, area.top);
    if (paint.left >= paint.right || paint.top >= paint.bottom) return;
    const int width = paint.right - paint.left;
    const int height = paint.bottom - paint.top;

    // Drawn off the screen first, so that the window colour never flashes
    // between the picture's pieces.
    const HDC buffer = CreateCompatibleDC(dc);
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!buffer || !bitmap) {
        if (buffer) DeleteDC(buffer);
        return;
    }
    {
        const SelectedObject selected(buffer, bitmap.get());
        SetViewportOrgEx(buffer, -paint.left, -paint.top, nullptr);
        FillRect(buffer, &paint, GetSysColorBrush(COLOR_WINDOW));
        for (const ScreenRect& copy : PictureCopies(area, background_->width(), background_->height(), placement_,
                                                    {paint.left, paint.top, paint.right, paint.bottom}))
            background_->Draw(buffer, copy.left, copy.top);
        SetViewportOrgEx(buffer, 0, 0, nullptr);
        BitBlt(dc, paint.left, paint.top, width, height, buffer, 0, 0, SRCCOPY);
    }
    DeleteDC(buffer);
}

void ListView::RepaintIfMoved(UINT message, WPARAM, LPARAM lParam) {
    bool moved = message == WM_SIZE;
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        moved = header->hwndFrom == ListView_GetHeader(list_) &&
                (header->code == HDN_ITEMCHANGEDW || header->code == HDN_ITEMCHANGEDA || header->code == HDN_TRACKW ||
                 header->code == HDN_TRACKA || header->code == HDN_ENDTRACKW || header->code == HDN_ENDTRACKA);
    }
    // Wine reports no scrolling by the wheel: the rows' position tells.
    const int top = ListView_GetTopIndex(list_);
    const int left = GetScrollPos(list_, SB_HORZ);
    if (top != shownTop_ || left != shownLeft_) moved = true;
    shownTop_ = top;
    shownLeft_ = left;
    if (!moved) return;
    // Below the header only: rows painted over the header's place would stay
    // there, as the header does not repaint for the list.
    RECT below{};
    GetClientRect(list_, &below);
    if (const HWND header = ListView_GetHeader(list_); header && (GetWindowLongPtrW(header, GWL_STYLE) & WS_VISIBLE)) {
        RECT headerRect{};
        GetWindowRect(header, &headerRect);
        MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&headerRect), 2);
        below.top = std::max(below.top, headerRect.bottom);
    }
    InvalidateRect(list_, &below, TRUE);
}

LRESULT CALLBACK ListView::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ListView*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, ListProc, reinterpret_cast<UINT_PTR>(&ListView::ListProc));
        return DefSubclassProc(list, message, wParam, lParam);
    }
    if (message == WM_MOUSEMOVE) self->FollowPointer(lParam);
    if (message == WM_SETCURSOR && self->busy_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
        return TRUE;
    }
    if (!self->background_) return DefSubclassProc(list, message, wParam, lParam);
    if (message == WM_ERASEBKGND) {
        self->PaintBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    }
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    switch (message) {
    // What scrolls the rows, resizes the list or drags a column's edge.
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_KEYDOWN:
    case WM_TIMER:  // scrolling while a selection is dragged past the edge
    case WM_SIZE:
    case WM_NOTIFY:
    case LVM_SCROLL:
    case LVM_ENSUREVISIBLE:
    case LVM_SETITEMCOUNT:
        self->RepaintIfMoved(message, wParam, lParam);
        break;
    default:
        break;
    }
    return result;
}

bool ListView::OnNotify(const NMHDR& header, LRESULT& result) {
    if (tip_ && header.hwndFrom == tip_ && header.code == TTN_GETDISPINFOW) {
        // No text: the tip does not show.
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        tipText_ = CutText(tipRow_, tipColumn_);
        info.lpszText = tipText_.data();
        info.szText[0] = L'\0';
        result = 0;
        return true;
    }
    if (!list_ || header.hwndFrom != list_) return false;
    result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::wstring text = delegate_.CellText(item.iItem, item.iSubItem);
            wcsncpy(item.pszText, text.c_str(), static_cast<std::size_t>(item.cchTextMax) - 1);
            item.pszText[item.cchTextMax - 1] = L'\0';
        }
        return true;
    }
    case LVN_ODFINDITEMW: {
        const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
        result = delegate_.FindRow(find.lvfi, find.iStart);
        return true;
    }
    case NM_CUSTOMDRAW:
        result = OnCustomDraw(const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
        return true;
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
            delegate_.OnSelectionChanged();
        return true;
    }
    case LVN_ODSTATECHANGED: {
        const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
        if ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) delegate_.OnSelectionChanged();
        return true;
    }
    case LVN_COLUMNCLICK:
        delegate_.OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return true;
    case LVN_BEGINLABELEDITW:
        result = delegate_.OnBeginLabelEdit(reinterpret_cast<const NMLVDISPINFOW&>(header).item.iItem) ? FALSE : TRUE;
        return true;
    case LVN_ENDLABELEDITW: {
        const LVITEMW& item = reinterpret_cast<const NMLVDISPINFOW&>(header).item;
        delegate_.OnEndLabelEdit(item.iItem, item.pszText);
        return true;
    }
    case LVN_BEGINDRAG:
        delegate_.OnBeginDrag(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
        return true;
    case LVN_KEYDOWN: {
        const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
        if (key == 'A' && GetKeyState(VK_CONTROL) < 0) SelectAll();
        delegate_.OnKeyDown(key);
        return true;
    }
    case NM_RCLICK: {
        const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
        POINT at = click.ptAction;
        ClientToScreen(list_, &at);
        delegate_.OnRightClick(click.iItem, at);
        result = TRUE;  // handled: the control sends no WM_CONTEXTMENU after it
        return true;
    }
    case NM_DBLCLK:
        delegate_.OnDoubleClick(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        return true;
    default:
        return false;
    }
}

COLORREF ListView::UnfocusedSelectionColor() {
    // A third of the way from the window's colour to the selection's.
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF selection = GetSysColor(COLOR_HIGHLIGHT);
    const auto mix = [](int from, int to) { return static_cast<BYTE>(from + (to - from) / 3); };
    return RGB(mix(GetRValue(window), GetRValue(selection)), mix(GetGValue(window), GetGValue(selection)),
               mix(GetBValue(window), GetBValue(selection)));
}

LRESULT ListView::OnCustomDraw(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const COLORREF color = delegate_.CellColor(static_cast<int>(draw.nmcd.dwItemSpec), draw.iSubItem);
        if (color != CLR_DEFAULT) draw.clrText = color;
        // Selected rows stay marked while the keyboard is elsewhere: the
        // control would draw them in the face colour, which many schemes
        // make all but white, and over a picture they would not show at all.
        if ((draw.nmcd.uItemState & CDIS_SELECTED) && GetFocus() != list_) {
            draw.nmcd.uItemState &= ~CDIS_SELECTED;
            draw.clrTextBk = UnfocusedSelectionColor();
        }
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void ListView::SetColumns(const std::vector<ColumnDef>& columns) {
    listview::DeleteAllColumns(list_);
    int index = 0;
    for (const ColumnDef& column : columns)
        listview::InsertColumn(list_, index++, column.caption, column.widthPixels, column.align);
}

void ListView::ShowSortArrow(int column, bool descending) {
    HWND header = ListView_GetHeader(list_);
    for (int i = 0; i < Header_GetItemCount(header); ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column) item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(header, i, &item);
    }
}

int ListView::RowCount() const { return ListView_GetItemCount(list_); }

void ListView::SetRowCount(int count) {
    ClearSelection();
    ListView_SetItemCountEx(list_, count, 0);
}

std::vector<int> ListView::SelectedRows() const {
    // Asked for no more than there are: looking past the last selected row
    // walks every row below it (some 30 ms at a million rows under Wine).
    const auto count = static_cast<std::size_t>(ListView_GetSelectedCount(list_));
    std::vector<int> selected;
    selected.reserve(count);
    for (int i = -1; selected.size() < count && (i = ListView_GetNextItem(list_, i, LVNI_SELECTED)) >= 0;)
        selected.push_back(i);
    return selected;
}

int ListView::FocusedRow() const { return ListView_GetNextItem(list_, -1, LVNI_FOCUSED); }

void ListView::Select(int row, bool selected) {
    ListView_SetItemState(list_, row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void ListView::SelectAll() { ListView_SetItemState(list_, -1, LVIS_SELECTED, LVIS_SELECTED); }

void ListView::ClearSelection() { ClearSelection(SelectedRows(), FocusedRow()); }

void ListView::ClearSelection(const std::vector<int>& selected, int focused) {
    // Item by item: clearing "all items" walks every row of a large list.
    if (!selected.empty() && selected.size() == static_cast<std::size_t>(RowCount())) {
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
    } else {
        for (int row : selected) Select(row, false);
    }
    if (focused >= 0) ListView_SetItemState(list_, focused, 0, LVIS_FOCUSED);
}

void ListView::Focus(int row) {
    ListView_SetItemState(list_, row, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_SetSelectionMark(list_, row);
}

void ListView::EnsureVisible(int row) { ListView_EnsureVisible(list_, row, FALSE); }

void ListView::FollowReorder(const std::vector<std::size_t>& before) {
    const std::vector<int> selected = SelectedRows();
    const int focused = FocusedRow();
    const bool allSelected = !selected.empty() && selected.size() == static_cast<std::size_t>(RowCount());
    std::vector<int> newIndex(before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] < newIndex.size()) newIndex[before[i]] = static_cast<int>(i);
    ClearSelection(selected, focused);
    if (allSelected) {
        SelectAll();
    } else {
        for (int old : selected)
            if (static_cast<std::size_t>(old) < newIndex.size()) Select(newIndex[static_cast<std::size_t>(old)], true);
    }
    if (focused >= 0 && static_cast<std::size_t>(focused) < newIndex.size())
        Focus(newIndex[static_cast<std::size_t>(focused)]);
}

void ListView::FollowChange(const std::vector<std::size_t>& before) {
    const int oldCount = RowCount();
    const std::vector<int> selected = SelectedRows();
    const int focused = FocusedRow();
    const int top = ListView_GetTopIndex(list_);
    const bool allSelected = !selected.empty() && selected.size() == static_cast<std::size_t>(oldCount);
    std::vector<int> newIndex(static_cast<std::size_t>(std::max(oldCount, 0)), -1);
    bool anyNew = false;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] < newIndex.size())
            newIndex[before[i]] = static_cast<int>(i);
        else
            anyNew = true;
    }
    ClearSelection(selected, focused);
    if (before.size() != static_cast<std::size_t>(oldCount))
        ListView_SetItemCountEx(list_, static_cast<int>(before.size()), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    if (allSelected && !anyNew && before.size() == static_cast<std::size_t>(oldCount)) {
        SelectAll();
    } else {
        for (const int old : selected)
            if (const int now = newIndex[static_cast<std::size_t>(old)]; now >= 0) Select(now, true);
    }
    if (focused >= 0)
        if (const int now = newIndex[static_cast<std::size_t>(focused)]; now >= 0) Focus(now);
    KeepTop(top);
}

// The view stays where the user left it, even when rows above it came or went.
void ListView::KeepTop(int top) {
    const int nowTop = ListView_GetTopIndex(list_);
    RECT row{};
    if (nowTop != top && top < RowCount() && ListView_GetItemRect(list_, 0, &row, LVIR_BOUNDS))
        ListView_Scroll(list_, 0, (top - nowTop) * (row.bottom - row.top));
}

void ListView::ReplaceRows(int count, const std::vector<std::pair<int, int>>& kept) {
    const std::vector<int> selected = SelectedRows();  // in ascending order
    const int focused = FocusedRow();
    const int top = ListView_GetTopIndex(list_);
    const bool allSelected = !selected.empty() && selected.size() == static_cast<std::size_t>(RowCount());
    ClearSelection(selected, focused);
    ListView_SetItemCountEx(list_, count, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    if (allSelected && kept.size() == static_cast<std::size_t>(count)) {
        SelectAll();
    } else {
        for (const auto& [old, now] : kept)
            if (std::binary_search(selected.begin(), selected.end(), old)) Select(now, true);
    }
    for (const auto& [old, now] : kept)
        if (old == focused) Focus(now);
    KeepTop(top);
}

void ListView::StartLabelEdit(int row) { ListView_EditLabel(list_, row); }

bool ListView::EditingLabel() const { return ListView_GetEditControl(list_) != nullptr; }

void ListView::CancelLabelEdit() {
    if (!EditingLabel()) return;
    ListView_CancelEditLabel(list_);
    // As Escape in the edit does, where the control does not take the message.
    if (const HWND edit = ListView_GetEditControl(list_)) SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
}

void ListView::SetLabelEditText(const std::wstring& text) {
    const HWND edit = ListView_GetEditControl(list_);
    if (!edit) return;
    SetWindowTextW(edit, text.c_str());
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

void ListView::SelectLabelEditText(int length) {
    if (const HWND edit = ListView_GetEditControl(list_)) SendMessageW(edit, EM_SETSEL, 0, length);
}

POINT ListView::MenuPoint(int row) const {
    RECT label{};
    POINT at{0, 0};
    if (row >= 0 && ListView_GetItemRect(list_, row, &label, LVIR_LABEL)) at = {label.left, label.bottom};
    ClientToScreen(list_, &at);
    return at;
}

void ListView::RepaintRow(int row) { ListView_RedrawItems(list_, row, row); }

int ListView::HitTest(POINT client) const {
    LVHITTESTINFO hit{};
    hit.pt = client;
    const int row = ListView_HitTest(list_, &hit);
    return (hit.flags & LVHT_ONITEM) ? row : -1;
}

void ListView::SetRedraw(bool on) {
    SendMessageW(list_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) Repaint(true);
}

void ListView::Repaint(bool erase) { InvalidateRect(list_, nullptr, erase ? TRUE : FALSE); }

void ListView::SetTextColor(COLORREF color) { ListView_SetTextColor(list_, color); }

void ListView::SetGridLines(bool on) { listview::SetExtendedStyle(list_, LVS_EX_GRIDLINES, on ? LVS_EX_GRIDLINES : 0); }

}  // namespace orvane
