// A tree view control with typed calls for its items, selection and editing,
// and the mouse and keys it sees handed to its delegate, so that the window
// around it sends the control no messages of its own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace orvane {

// What the tree's owner hears before the control acts on it.
class TreeViewDelegate {
public:
    // A mouse button went down at client (WM_LBUTTONDOWN, WM_RBUTTONDOWN or WM_MBUTTONDOWN).
    virtual void OnButtonDown(UINT /*message*/, POINT /*client*/) {}
    virtual void OnMouseMove(POINT /*client*/) {}
    // True when the key was taken and the control must not see it.
    virtual bool OnKeyDown(WPARAM /*key*/) { return false; }
    // The menu key or Shift+F10 on the tree itself; true when the owner
    // showed its menu, so that the window around the tree is not asked too.
    virtual bool OnMenuKey() { return false; }

protected:
    ~TreeViewDelegate() = default;
};

class TreeView {
public:
    explicit TreeView(TreeViewDelegate& delegate) : delegate_(delegate) {}
    ~TreeView();
    TreeView(const TreeView&) = delete;
    TreeView& operator=(const TreeView&) = delete;

    // Lines, buttons, the selection shown without the focus, captions edited in place.
    void Create(HWND parent, int id);
    HWND hwnd() const { return tree_; }

    HTREEITEM Insert(HTREEITEM parent, const std::wstring& text, LPARAM data) const;
    void DeleteAll() const;
    void Delete(HTREEITEM item) const;
    HTREEITEM Root() const;
    HTREEITEM Selection() const;
    void Select(HTREEITEM item) const;
    std::wstring Text(HTREEITEM item) const;
    void SetText(HTREEITEM item, const std::wstring& text) const;
    LPARAM Data(HTREEITEM item) const;
    HTREEITEM Parent(HTREEITEM item) const;
    std::vector<HTREEITEM> Children(HTREEITEM item) const;
    void Expand(HTREEITEM item) const;
    HTREEITEM HitTest(POINT client) const;  // the item whose caption or icon is there, or nothing
    // The item's caption, scrolled into sight first, in client coordinates.
    RECT ShownCaptionRect(HTREEITEM item) const;
    void StartLabelEdit(HTREEITEM item) const;
    bool EditingLabel() const;
    void SetDropHighlight(HTREEITEM item) const;  // nothing: none

private:
    static LRESULT CALLBACK TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data);

    TreeViewDelegate& delegate_;
    HWND tree_ = nullptr;
};

}  // namespace orvane
