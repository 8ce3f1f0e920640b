// What the commands on files share: the paths of the rows they act on, and
// the rows that go once their files have left the folder.
#include <algorithm>

#include "core/text.h"
#include "inventory/scan_folder.h"
#include "mainwindow/frm_main.h"
#include "win/paths.h"

namespace orvane {

// A row's file by its name on disk, never by its label: a dummy file's label
// may be shortened by the display settings.
std::wstring Frm_Main::RowPath(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return {};
    return JoinPath(SelectedFolder(), rows_[static_cast<std::size_t>(row)].key);
}

std::vector<std::wstring> Frm_Main::SelectedPaths() const {
    std::vector<std::wstring> paths;
    for (int row : fileList_.SelectedRows()) paths.push_back(RowPath(row));
    return paths;
}

void Frm_Main::DropRowsWhoseFilesLeft() {
    const std::wstring folder = SelectedFolder();
    const auto gone = [&](const FileRow& row) { return !FileExists(VerbatimPath(folder, row.key)); };
    const std::size_t before = rows_.size();
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), gone), rows_.end());
    if (rows_.size() != before) fileList_.SetRowCount(static_cast<int>(rows_.size()));
    fileList_.Repaint(true);
    // The count follows the rows: files no longer listed would mislead.
    UpdateCountPanel();
}

}  // namespace orvane
