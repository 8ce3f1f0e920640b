// The "移動先" and "コピー先" submenus of the list's menu: the registered
// folders as the tree nests them, each a target a file can be filed into.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orvane {

// A registered folder as the tree shows it: its caption, its folder (empty
// for a level made only to hold others) and the folders below it.
struct RegisteredNode {
    std::wstring caption;
    std::wstring folder;
    std::vector<RegisteredNode> below;
};

// One entry of a folder submenu. A folder with others below it is a
// submenu of its own whose first entry is the folder itself; target is the
// index into FolderMenu::targets, or -1 for an entry that only opens a
// submenu.
struct FolderMenuItem {
    std::wstring caption;  // "&" doubled: a menu would take it for a mnemonic
    int target = -1;
    bool enabled = true;  // not the folder the files lie in
    std::vector<FolderMenuItem> items;
};

struct FolderMenu {
    std::vector<FolderMenuItem> items;
    std::vector<std::wstring> targets;  // the folders, by target
};

// The submenu for the nodes; the folder the files lie in is shown but
// greyed (same compares two folders as the file system does). A level
// without a folder of its own and with nothing below is left out.
using SameFolder = std::function<bool(const std::wstring&, const std::wstring&)>;
FolderMenu BuildFolderMenu(const std::vector<RegisteredNode>& nodes, const std::wstring& currentFolder,
                           const SameFolder& same);

// A caption as a menu shows it: "&" doubled, or it would mark a key.
std::wstring MenuCaption(const std::wstring& caption);

}  // namespace orvane
