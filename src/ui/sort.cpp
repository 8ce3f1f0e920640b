// Sorting the file list by a column; the header click flips the order and
// stores column and order at once.
#include "ui/frm_main.h"
#include "platform/controls.h"

namespace orvane {

void Frm_Main::SortFileList(int key, int order) {
    if (!ColumnNumbered(key)) key = static_cast<int>(Column::FileName);  // a stored column that does not exist
    fileList_.FollowReorder(SortRows(rows_, key, order, collator_));
    sortedDescending_ = order != 0;
    fileList_.ShowSortArrow(ColumnIndex(static_cast<Column>(key)), sortedDescending_);
    fileList_.Repaint(true);
}

void Frm_Main::OnColumnClick(int index) {
    const FileColumn* clicked = ColumnAt(index);
    if (!clicked) return;
    const int column = static_cast<int>(clicked->column);
    SortFileList(column, 1 - settings().sortOrder);
    // A stored order of 5 is descending: the next click ascends.
    app_.settings.Change({SettingKey::SortKey, SettingKey::SortOrder}, [&](Settings& s) {
        s.sortKey = static_cast<std::int16_t>(column);
        s.sortOrder = sortedDescending_ ? 1 : 0;
    });
}

}  // namespace orvane
