// The settings command: the settings dialog, then the tree's root, the
// list's look and the window's translucency brought up to date, and the list
// refilled, whether the dialog was confirmed or cancelled.
#include "ui/frm_main.h"

#include "ui/appearance.h"
#include "platform/controls.h"

#include <utility>

namespace orvane {

void Frm_Main::OnSettings() {
    app_.dialogs.EditSettings(hwnd(), app_.settings);
    const HTREEITEM root = treeview::Root(TVDir());
    if (auto* node = const_cast<FolderNode*>(NodeOf(root))) node->folder = ClientFolder();
    // Selecting the root is no click on it: the click's listing and status
    // text do not follow.
    const bool leftClick = std::exchange(TreeLeftClick, false);
    treeview::Select(TVDir(), root);
    TreeLeftClick = leftClick;
    ApplyListAppearance(fileList_, settings(), app_.programFolder);
    ApplyTranslucency(hwnd(), settings());
    RefreshCommand();
}

}  // namespace orvane
