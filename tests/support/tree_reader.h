// Reading and working the folder tree as the user does, through the real
// tree view's own messages, and its data file on disk, whatever window
// holds the tree.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>

#include "platform/code_page.h"
#include "platform/controls.h"
#include "platform/window.h"
#include "support/download_folder.h"
#include "support/temp_folder.h"
#include "ui/folder_tree.h"

namespace orvane::test {

class TreeReader {
protected:
    virtual ~TreeReader() = default;
    // The tree read, and the program folder whose data file it was built from.
    virtual const FolderTree& Tree() const = 0;
    virtual std::wstring ProgramFolder() const = 0;

    HWND TVDir() const { return Tree().TVDir(); }
    HTREEITEM Root() const { return treeview::Root(TVDir()); }

    std::wstring DataFile() const { return ProgramFolder() + L"Orvane.dat"; }
    std::wstring WorkFile() const { return ProgramFolder() + L"Orvane.wk"; }
    void WriteData(const std::wstring& lines) const { WriteAnsiText(DataFile(), lines); }
    std::wstring Data() const { return FromAnsi(ReadBytes(DataFile())); }

    // Each node as "caption=folder", indented by depth, in tree order.
    std::wstring Shape() const {
        std::wstring out;
        Walk(TreeView_GetChild(TVDir(), Root()), 0, out);
        return out;
    }
    HTREEITEM Node(const std::wstring& path) const {  // "Music/Live"
        HTREEITEM at = Root();
        std::size_t start = 0;
        while (at && start <= path.size()) {
            const std::size_t slash = path.find(L'/', start);
            const std::wstring name =
                path.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start);
            HTREEITEM child = TreeView_GetChild(TVDir(), at);
            while (child && treeview::Text(TVDir(), child) != name) child = TreeView_GetNextSibling(TVDir(), child);
            at = child;
            if (slash == std::wstring::npos) break;
            start = slash + 1;
        }
        return at;
    }
    // Selected as no click would select it: nothing is chosen on the way.
    void Select(HTREEITEM item) const { treeview::Select(TVDir(), item); }
    bool Expanded(HTREEITEM item) const { return TreeView_GetItemState(TVDir(), item, TVIS_EXPANDED) != 0; }
    POINT Center(HTREEITEM item) const {
        RECT r{};
        TreeView_GetItemRect(TVDir(), item, &r, TRUE);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // The tree follows the mouse in a loop of its own until the button is
    // released: the release waits in the queue before the press.
    void Press(HTREEITEM item, UINT down, UINT up) const {
        const POINT at = Center(item);
        PostMessageW(TVDir(), up, 0, MAKELPARAM(at.x, at.y));
        SendMessageW(TVDir(), down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(at.x, at.y));
        ProcessPendingMessages();
    }
    void MoveMouse(POINT client) const { SendMessageW(TVDir(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y)); }
    // Edits a caption as a user does: types, then Enter (or Escape to cancel).
    bool EditCaption(HTREEITEM item, const wchar_t* text, bool cancel = false) const {
        HWND edit = TreeView_EditLabel(TVDir(), item);
        if (!edit) return false;
        SetWindowTextW(edit, text);
        SendMessageW(edit, WM_KEYDOWN, cancel ? VK_ESCAPE : VK_RETURN, 0);
        SendMessageW(edit, WM_CHAR, cancel ? VK_ESCAPE : VK_RETURN, 0);
        if (TreeView_GetEditControl(TVDir())) TreeView_EndEditLabelNow(TVDir(), cancel);
        return true;
    }

private:
    void Walk(HTREEITEM item, int depth, std::wstring& out) const {
        for (; item; item = TreeView_GetNextSibling(TVDir(), item)) {
            out += std::wstring(depth * 2, L' ') + treeview::Text(TVDir(), item) + L"=" + Tree().NodeOf(item)->folder +
                   L"\n";
            Walk(TreeView_GetChild(TVDir(), item), depth + 1, out);
        }
    }
};

}  // namespace orvane::test
