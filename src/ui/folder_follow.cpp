// The list following its folder: changes the watch reports are taken at most
// twice a second and merged into the rows, which keep their order, selection,
// focus and place in the view.
#include "platform/folder_scan.h"
#include "ui/commands.h"
#include "ui/frm_main.h"
#include "platform/controls.h"

namespace orvane {

namespace {

constexpr wchar_t kFolderGone[] = L"フォルダが存在しません。";
constexpr UINT_PTR kFollowTimerId = 1;  // the queue's repeat that takes the changes

}  // namespace

std::unique_ptr<FolderWatch> Frm_Main::WatchFolder(const std::wstring& folder, bool clientFolder, bool catchUp) {
    if (!settings().autoRefresh || folder.empty() || !uiQueue_) return nullptr;
    return std::make_unique<FolderWatch>(folder, clientFolder ? ClientFolder() : std::wstring(), catchUp,
                                         uiQueue_->MakePoster(), [this] { OnFolderChanged(); });
}

void Frm_Main::FollowFolder(bool catchUp) {
    StopFollowing();
    FollowFolder(WatchFolder(listedFolder_, listedClientFolder_, catchUp));
}

void Frm_Main::FollowFolder(std::unique_ptr<FolderWatch> watch) {
    StopFollowing();
    folderWatch_ = std::move(watch);
}

void Frm_Main::StopFollowing() {
    folderWatch_.reset();
    if (uiQueue_) uiQueue_->StopRepeating(kFollowTimerId);
    folderGoneShown_ = false;  // a new listing names its folder afresh
    // A report posted before the stop finds no watch and is dropped.
}

void Frm_Main::OnFolderChanged() {
    if (!folderWatch_ || !uiQueue_ || uiQueue_->Repeating(kFollowTimerId)) return;
    uiQueue_->Repeat(kFollowTimerId, kFollowIntervalMs, [this] { OnFollowTimer(); });
}

void Frm_Main::OnFollowTimer() {
    if (fileList_.EditingLabel()) return;  // the rows stay as the edit found them; the repeat asks again
    uiQueue_->StopRepeating(kFollowTimerId);
    ApplyFolderChanges();
}

void Frm_Main::ApplyFolderChanges() {
    if (!folderWatch_) return;
    FolderChanges changes = folderWatch_->Take();
    const std::wstring folder = folderWatch_->Folder();
    RowChanges rowChanges;
    if (changes.folderGone) {
        // The rows go, as the refresh command would take them, but the watch
        // stays to bring the files back when the folder is there again.
        rowChanges.complete = true;
        statusbar::SetText(SBMain(), 0, kFolderGone + (L" " + folder));
        folderGoneShown_ = true;
    } else {
        if (folderGoneShown_) statusbar::SetText(SBMain(), 0, folder);
        folderGoneShown_ = false;
        rowChanges.present = BuildRows(changes.present, ListDummyDisplay(), [&folder](const FileEntry& entry) {
            return ReadDummyHeader(folder, entry.Name);
        });
        rowChanges.gone = std::move(changes.gone);
        rowChanges.renamed = std::move(changes.renamed);
        rowChanges.complete = changes.complete;
    }
    if (rowChanges.present.empty() && rowChanges.gone.empty() && !rowChanges.complete) return;
    const int key = ColumnNumbered(settings().sortKey) ? settings().sortKey : static_cast<int>(Column::FileName);
    fileList_.FollowChange(MergeChanges(rows_, sizeTally_, std::move(rowChanges), key, sortedDescending_ ? 1 : 0,
                                        collator_, findWord_, UpperCaseText));
    fileList_.Repaint(false);
    UpdateCountPanel();
}

void Frm_Main::OnToggleAutoRefresh() {
    app_.settings.Change({SettingKey::AutoRefresh}, [](Settings& s) { s.autoRefresh = !s.autoRefresh; });
    menu::SetChecked(menu_, kCmdAutoRefresh, settings().autoRefresh);
    // Switched on, the list first catches up with what changed while it was off.
    FollowFolder(true);
}

}  // namespace orvane
