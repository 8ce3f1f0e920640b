#include "platform/tree_view.h"

#include "platform/controls.h"

namespace orvane {

namespace {

constexpr UINT_PTR kTreeSubclass = 1;

POINT PointOf(LPARAM lParam) { return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

}  // namespace

TreeView::~TreeView() {
    if (tree_ && IsWindow(tree_)) RemoveWindowSubclass(tree_, TreeProc, kTreeSubclass);
}

void TreeView::Create(HWND parent, int id) {
    tree_ = CreateChild(
        parent, WC_TREEVIEWW, L"",
        WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_EDITLABELS,
        id, WS_EX_CLIENTEDGE);
    SetWindowSubclass(tree_, TreeProc, kTreeSubclass, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TreeView::TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TreeView*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        self->delegate_.OnButtonDown(message, PointOf(lParam));
        break;
    case WM_MOUSEMOVE:
        self->delegate_.OnMouseMove(PointOf(lParam));
        break;
    case WM_KEYDOWN:
        if (self->delegate_.OnKeyDown(wParam)) return 0;
        break;
    // The keyboard's ways to the menu are taken here, before the default
    // handling could make a WM_CONTEXTMENU of them that goes on to the parent
    // (Wine makes none on the tree): Shift+F10, and the menu key once released.
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0 && !(HIWORD(lParam) & KF_ALTDOWN) &&
            self->delegate_.OnMenuKey())
            return 0;
        break;
    case WM_KEYUP:
        if (wParam == VK_APPS && self->delegate_.OnMenuKey()) return 0;
        break;
    case WM_CONTEXTMENU:
        // Any other request from the keyboard (its point is -1); a right
        // click has the tree's own notification.
        if (reinterpret_cast<HWND>(wParam) == tree && lParam == -1 && self->delegate_.OnMenuKey()) return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(tree, TreeProc, kTreeSubclass);
        self->tree_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(tree, message, wParam, lParam);
}

HTREEITEM TreeView::Insert(HTREEITEM parent, const std::wstring& text, LPARAM data) const {
    return treeview::Insert(tree_, parent, text, data);
}
void TreeView::DeleteAll() const { treeview::DeleteAll(tree_); }
void TreeView::Delete(HTREEITEM item) const { treeview::Delete(tree_, item); }
HTREEITEM TreeView::Root() const { return treeview::Root(tree_); }
HTREEITEM TreeView::Selection() const { return treeview::Selection(tree_); }
void TreeView::Select(HTREEITEM item) const { treeview::Select(tree_, item); }
std::wstring TreeView::Text(HTREEITEM item) const { return treeview::Text(tree_, item); }
void TreeView::SetText(HTREEITEM item, const std::wstring& text) const { treeview::SetText(tree_, item, text); }
LPARAM TreeView::Data(HTREEITEM item) const { return treeview::Data(tree_, item); }
HTREEITEM TreeView::Parent(HTREEITEM item) const { return treeview::Parent(tree_, item); }
std::vector<HTREEITEM> TreeView::Children(HTREEITEM item) const { return treeview::Children(tree_, item); }
void TreeView::Expand(HTREEITEM item) const { treeview::Expand(tree_, item); }
HTREEITEM TreeView::HitTest(POINT client) const { return treeview::HitTest(tree_, client); }
RECT TreeView::ShownCaptionRect(HTREEITEM item) const {
    RECT caption{};
    if (!item) return caption;
    TreeView_EnsureVisible(tree_, item);
    TreeView_GetItemRect(tree_, item, &caption, TRUE);
    return caption;
}
void TreeView::StartLabelEdit(HTREEITEM item) const { treeview::StartLabelEdit(tree_, item); }
bool TreeView::EditingLabel() const { return treeview::EditingLabel(tree_); }
void TreeView::SetDropHighlight(HTREEITEM item) const { treeview::SetDropHighlight(tree_, item); }

}  // namespace orvane
