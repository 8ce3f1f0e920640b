#include "core/folder_menu.h"

namespace orvane {

namespace {

// No real registration nests this deep; a menu of more levels is of no use.
constexpr std::size_t kDeepestMenu = 16;

std::vector<FolderMenuItem> MenuItems(const std::vector<RegisteredNode>& nodes, const std::wstring& currentFolder,
                                      const SameFolder& same, std::vector<std::wstring>& targets, std::size_t depth) {
    std::vector<FolderMenuItem> items;
    if (depth > kDeepestMenu) return items;
    for (const RegisteredNode& node : nodes) {
        FolderMenuItem own;
        if (!node.folder.empty()) {
            own.caption = MenuCaption(node.caption);
            own.target = static_cast<int>(targets.size());
            own.enabled = !same(node.folder, currentFolder);
            targets.push_back(node.folder);
        }
        std::vector<FolderMenuItem> below = MenuItems(node.below, currentFolder, same, targets, depth + 1);
        if (below.empty()) {
            if (own.target >= 0) items.push_back(std::move(own));
            continue;
        }
        FolderMenuItem submenu;
        submenu.caption = MenuCaption(node.caption);
        if (own.target >= 0) submenu.items.push_back(std::move(own));
        for (FolderMenuItem& item : below) submenu.items.push_back(std::move(item));
        items.push_back(std::move(submenu));
    }
    return items;
}

}  // namespace

FolderMenu BuildFolderMenu(const std::vector<RegisteredNode>& nodes, const std::wstring& currentFolder,
                           const SameFolder& same) {
    FolderMenu menu;
    menu.items = MenuItems(nodes, currentFolder, same, menu.targets, 0);
    return menu;
}

std::wstring MenuCaption(const std::wstring& caption) {
    std::wstring shown;
    for (const wchar_t c : caption) {
        if (c == L'&') shown += L'&';
        shown += c;
    }
    return shown;
}

}  // namespace orvane
