// The list following its folder: changes the watch reports are taken at most
// twice a second and merged into the rows, which keep their order, selection,
// focus and place in the view.
#include "inventory/scan_folder.h"
#include "mainwindow/commands.h"
#include "mainwindow/frm_main.h"
#include "win/controls.h"

namespace orvane {

void Frm_Main::FollowFolder(bool catchUp) {
    StopFollowing();
    if (!settings.autoRefresh || listedFolder_.empty()) return;
    folderWatch_ = std::make_unique<FolderWatch>(listedFolder_, listedClientFolder_ ? ClientFolder() : std::wstring(),
                                                 catchUp, hwnd(), kFolderChangedMessage);
}

void Frm_Main::StopFollowing() {
    folderWatch_.reset();
    if (followTimerRunning_) KillTimer(hwnd(), kFollowTimer);
    followTimerRunning_ = false;
    // A report posted before the stop finds no watch and is dropped.
}

void Frm_Main::OnFolderChanged() {
    if (!folderWatch_ || followTimerRunning_) return;
    followTimerRunning_ = SetTimer(hwnd(), kFollowTimer, kFollowIntervalMs, nullptr) != 0;
}

void Frm_Main::OnFollowTimer() {
    if (fileList_.EditingLabel()) return;  // the rows stay as the edit found them; the timer asks again
    KillTimer(hwnd(), kFollowTimer);
    followTimerRunning_ = false;
    ApplyFolderChanges();
}

void Frm_Main::ApplyFolderChanges() {
    if (!folderWatch_) return;
    FolderChanges changes = folderWatch_->Take();
    if (changes.folderGone) {
        // As the refresh command shows a folder that is gone.
        FileEntries.clear();
        ShowFileList();
        return;
    }
    const std::wstring folder = folderWatch_->Folder();
    RowChanges rowChanges;
    rowChanges.present = BuildRows(changes.present, ListDummyDisplay(),
                                   [&folder](const FileEntry& entry) { return ReadDummyHeader(folder, entry.Name); });
    rowChanges.gone = std::move(changes.gone);
    rowChanges.complete = changes.complete;
    if (rowChanges.present.empty() && rowChanges.gone.empty() && !rowChanges.complete) return;
    const int key = ColumnNumbered(settings.sortKey) ? settings.sortKey : static_cast<int>(Column::FileName);
    fileList_.FollowChange(MergeChanges(rows_, sizeTally_, std::move(rowChanges), key, sortedDescending_ ? 1 : 0,
                                        collator_, findWord_, UpperCaseText));
    fileList_.Repaint(false);
    UpdateCountPanel();
}

void Frm_Main::OnToggleAutoRefresh() {
    settings.autoRefresh = !settings.autoRefresh;
    menu::SetChecked(menu_, kCmdAutoRefresh, settings.autoRefresh);
    WriteSettings(app_.ini.Writer(), settings, {SettingKey::AutoRefresh});
    // Switched on, the list first catches up with what changed while it was off.
    FollowFolder(true);
}

}  // namespace orvane
