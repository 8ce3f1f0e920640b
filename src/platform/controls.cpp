#include "platform/controls.h"

namespace orvane {

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle) {
    return CreateWindowExW(exStyle, className, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

namespace listview {

void InsertColumn(HWND list, int index, const std::wstring& caption, int widthPixels, Align align) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = align == Align::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = widthPixels;
    column.pszText = const_cast<wchar_t*>(caption.c_str());
    column.iSubItem = index;
    ListView_InsertColumn(list, index, &column);
}

void DeleteAllColumns(HWND list) {
    while (ListView_DeleteColumn(list, 0)) {
    }
}

int ColumnCount(HWND list) { return Header_GetItemCount(ListView_GetHeader(list)); }

std::wstring ColumnCaption(HWND list, int index) {
    wchar_t buffer[256] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = 256;
    ListView_GetColumn(list, index, &column);
    return buffer;
}

int ColumnWidth(HWND list, int index) { return ListView_GetColumnWidth(list, index); }

Align ColumnAlign(HWND list, int index) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    ListView_GetColumn(list, index, &column);
    return (column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT ? Align::Right : Align::Left;
}

void SetColumnWidth(HWND list, int index, int widthPixels) { ListView_SetColumnWidth(list, index, widthPixels); }
int ItemCount(HWND list) { return ListView_GetItemCount(list); }
void SetExtendedStyle(HWND list, DWORD mask, DWORD style) { ListView_SetExtendedListViewStyleEx(list, mask, style); }
DWORD ExtendedStyle(HWND list) { return ListView_GetExtendedListViewStyle(list); }

}  // namespace listview

namespace treeview {

HTREEITEM Insert(HWND tree, HTREEITEM parent, const std::wstring& text, LPARAM data) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = data;
    return TreeView_InsertItem(tree, &insert);
}

void DeleteAll(HWND tree) { TreeView_DeleteAllItems(tree); }
HTREEITEM Root(HWND tree) { return TreeView_GetRoot(tree); }
HTREEITEM Selection(HWND tree) { return TreeView_GetSelection(tree); }
void Select(HWND tree, HTREEITEM item) { TreeView_SelectItem(tree, item); }

std::wstring Text(HWND tree, HTREEITEM item) {
    // Whole, however long: a caption cut here would be written back cut.
    std::wstring text(256, L'\0');
    for (;;) {
        TVITEMW tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text.data();
        tv.cchTextMax = static_cast<int>(text.size());
        text[0] = L'\0';
        if (!TreeView_GetItem(tree, &tv)) return {};
        if (tv.pszText != text.data()) return tv.pszText ? std::wstring(tv.pszText) : std::wstring();  // its own copy
        const std::size_t length = wcsnlen(text.data(), text.size());
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.assign(text.size() * 2, L'\0');
    }
}

LPARAM Data(HWND tree, HTREEITEM item) {
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    TreeView_GetItem(tree, &tv);
    return tv.lParam;
}

int Count(HWND tree) { return static_cast<int>(TreeView_GetCount(tree)); }

void SetText(HWND tree, HTREEITEM item, const std::wstring& text) {
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = const_cast<wchar_t*>(text.c_str());
    TreeView_SetItem(tree, &tv);
}

HTREEITEM Parent(HWND tree, HTREEITEM item) { return TreeView_GetParent(tree, item); }

std::vector<HTREEITEM> Children(HWND tree, HTREEITEM item) {
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child; child = TreeView_GetNextSibling(tree, child))
        children.push_back(child);
    return children;
}

void Expand(HWND tree, HTREEITEM item) { TreeView_Expand(tree, item, TVE_EXPAND); }
void Delete(HWND tree, HTREEITEM item) { TreeView_DeleteItem(tree, item); }

HTREEITEM HitTest(HWND tree, POINT client) {
    TVHITTESTINFO hit{};
    hit.pt = client;
    const HTREEITEM item = TreeView_HitTest(tree, &hit);
    return (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

void StartLabelEdit(HWND tree, HTREEITEM item) { TreeView_EditLabel(tree, item); }
bool EditingLabel(HWND tree) { return TreeView_GetEditControl(tree) != nullptr; }

}  // namespace treeview

namespace treeview {
void SetDropHighlight(HWND tree, HTREEITEM item) { TreeView_SelectDropTarget(tree, item); }
HTREEITEM DropHighlight(HWND tree) { return TreeView_GetDropHilight(tree); }
}  // namespace treeview

namespace statusbar {

void SetPartRights(HWND bar, const std::vector<int>& rights) {
    SendMessageW(bar, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void SetText(HWND bar, int part, const std::wstring& text) {
    SendMessageW(bar, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring Text(HWND bar, int part) {
    const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    std::wstring text(static_cast<std::size_t>(LOWORD(info)) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return text;
}

int PartCount(HWND bar) { return static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0)); }

}  // namespace statusbar

namespace combobox {

int Count(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

std::wstring ItemText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void Append(HWND combo, const std::wstring& text) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Delete(HWND combo, int index) { SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(index), 0); }

}  // namespace combobox

namespace menu {

bool IsChecked(HMENU m, UINT id) { return (GetMenuState(m, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

void SetChecked(HMENU m, UINT id, bool checked) {
    CheckMenuItem(m, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

std::wstring Text(HMENU m, UINT idOrPosition, bool byPosition) {
    wchar_t buffer[256] = {};
    GetMenuStringW(m, idOrPosition, buffer, 256, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    return buffer;
}

}  // namespace menu

}  // namespace orvane
