// The tree of registered folders: built from the data file, it adds,
// changes, removes and renames registrations (each change written to the
// data file first), and tells its listener which folder the user chose.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/folder_menu.h"
#include "core/registered_folders.h"
#include "platform/registered_folders_file.h"
#include "platform/settings_store.h"
#include "platform/shell_ui.h"
#include "platform/tree_view.h"
#include "ui/program_dialogs.h"

namespace orvane {

inline constexpr wchar_t kRootKey[] = L"WinMX";
inline constexpr wchar_t kRootCaption[] = L"ＷｉｎＭＸ";

// One node of the folder tree.
struct FolderNode {
    std::wstring key;
    std::wstring folder;
};

// What the tree tells the window around it.
class FolderTreeListener {
public:
    // The user chose a node, or the chosen node's folder changed: the list
    // shows folder (which may be empty or gone); clientFolder for the root.
    virtual void OnFolderChosen(const std::wstring& folder, bool clientFolder) = 0;
    // The pointer is over a node with this folder, or over no node.
    virtual void OnFolderPointed(const std::optional<std::wstring>& folder) = 0;
    // Ctrl+V on the tree: the clipboard's files go into folder.
    virtual void OnPasteInto(const std::wstring& folder) = 0;

protected:
    ~FolderTreeListener() = default;
};

// Where the tree finds what it needs of the running program.
struct FolderTreeContext {
    std::wstring programFolder;  // ends with a backslash; the data file lies there
    const SettingsStore& settings;
    ShellUi& shell;
    ProgramDialogs& dialogs;
    const RewriteFaults* rewriteFaults = nullptr;  // steps of the data file's rewrite that a test makes fail
};

class FolderTree final : private TreeViewDelegate {
public:
    FolderTree(FolderTreeContext context, FolderTreeListener& listener);
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;

    void Create(HWND parent, int id);
    HWND TVDir() const { return tree_.hwnd(); }

    // Builds the nodes from the data file and selects the root.
    void Build();
    // Lists the selected node's folder again (the refresh command).
    void ChooseSelected();
    // The registration commands on the selected node.
    void OnCommand(int command);
    // The parent hands on the tree's WM_NOTIFY.
    bool OnNotify(NMHDR* header, LRESULT& result);
    // The client's folder changed: the root names it and is selected, as no
    // click would (nothing is listed).
    void RootFollowsClientFolder();

    const FolderNode* NodeOf(HTREEITEM item) const;
    // The folder of the selected node; empty for none.
    std::wstring SelectedFolder() const;
    // The selected node's name path (its captions below the root, joined by
    // ","); empty for the root.
    std::wstring SelectedNamePath() const;
    // Selects the node of a name path, as no click selects it, when its
    // folder is there; that folder, or nothing (the selection stays).
    std::optional<std::wstring> SelectNamePath(const std::wstring& namePath);
    // The root and the registered folders below it, as the tree shows them
    // now: the targets a file can be filed into.
    std::vector<RegisteredNode> RegisteredNodes() const;
    // The folder of the node at a point of the tree, or nothing.
    std::optional<std::wstring> FolderAt(POINT client) const;
    // Renames a registration in place; false when refused or not written.
    bool RenameFolder(HTREEITEM item, const std::wstring& newName);
    bool EditingLabel() const { return tree_.EditingLabel(); }
    // Whether the last mouse press on the tree was with the left button.
    bool LastPressWasLeft() const { return TreeLeftClick; }

private:
    void OnButtonDown(UINT message, POINT client) override;
    void OnMouseMove(POINT client) override;
    bool OnKeyDown(WPARAM key) override;
    bool OnMenuKey() override;

    HWND Owner() const { return GetParent(tree_.hwnd()); }
    std::wstring ClientFolder() const;
    FolderNode* NewNode(const std::wstring& caption, const std::wstring& folder);
    std::vector<std::wstring> CaptionsTo(HTREEITEM item, bool includeItem) const;
    bool IsRoot(HTREEITEM item) const;
    bool RefuseUnstorable(const std::wstring& name, const std::wstring& folder);
    bool RefuseSiblingCaption(HTREEITEM parent, const std::wstring& caption, HTREEITEM self);
    bool Rewrite(const std::function<LineChange(const std::wstring&)>& rule);
    void Choose(HTREEITEM item);
    void OnRightClick();
    // The menu for item, its top-left corner at screen.
    void ShowMenu(HTREEITEM item, POINT screen);
    int CountBelow(HTREEITEM item) const;
    // The commands act on the node given: the one right-clicked, or the selected one.
    void OnCommand(int command, HTREEITEM item);
    void OnRefAdd(HTREEITEM item);
    void OnRefMod(HTREEITEM item);
    // Asks first; the root is never removed.
    void OnRefDel(HTREEITEM item);
    void OnExplorer(HTREEITEM item);
    // Selects item as no click would: nothing is listed on the way.
    void SelectQuietly(HTREEITEM item);

    FolderTreeContext context_;
    FolderTreeListener& listener_;
    TreeView tree_{*this};
    std::vector<std::unique_ptr<FolderNode>> nodes_;
    int nodeCounter_ = 0;
    bool TreeLeftClick = false;  // the last mouse press on the tree was with the left button
    HTREEITEM selectionAtMouseDown_ = nullptr;
    POINT mouseDownAt_{};  // where the last button went down
    bool labelEditing_ = false;
};

}  // namespace orvane
