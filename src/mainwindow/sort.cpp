// Sorting the file list by a column; the header click flips the order and
// stores column and order at once.
#include <algorithm>

#include "mainwindow/frm_main.h"
#include "win/controls.h"

namespace orvane {

void Frm_Main::SortFileList(int key, int order) {
    if (key < 1 || key > kColumnCount) key = 1;  // a stored column that does not exist
    const std::vector<int> selected = SelectedRows();
    const int focused = ListView_GetNextItem(LVList, -1, LVNI_FOCUSED);
    const bool allSelected = !rows_.empty() && selected.size() == rows_.size();

    const std::vector<std::size_t> before = SortRows(rows_, key, order, collator_);

    // The same files stay selected and focused wherever they moved.
    std::vector<int> newIndex(before.size());
    for (std::size_t i = 0; i < before.size(); ++i) newIndex[before[i]] = static_cast<int>(i);
    ClearSelection(selected, focused);
    if (allSelected) {
        ListView_SetItemState(LVList, -1, LVIS_SELECTED, LVIS_SELECTED);
    } else {
        for (int old : selected)
            if (static_cast<std::size_t>(old) < newIndex.size())
                ListView_SetItemState(LVList, newIndex[static_cast<std::size_t>(old)], LVIS_SELECTED, LVIS_SELECTED);
    }
    if (focused >= 0 && static_cast<std::size_t>(focused) < newIndex.size()) {
        const int now = newIndex[static_cast<std::size_t>(focused)];
        ListView_SetItemState(LVList, now, LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_SetSelectionMark(LVList, now);
    }
    sortedColumn_ = key;
    sortedDescending_ = order != 0;
    ShowSortArrow();
    InvalidateRect(LVList, nullptr, TRUE);
}

void Frm_Main::ShowSortArrow() {
    HWND header = ListView_GetHeader(LVList);
    for (int i = 0; i < Header_GetItemCount(header); ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == sortedColumn_ - 1) item.fmt |= sortedDescending_ ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(header, i, &item);
    }
}

void Frm_Main::OnColumnClick(int column) {
    settings.sortKey = static_cast<std::int16_t>(column);
    settings.sortOrder = static_cast<std::int16_t>(1 - settings.sortOrder);
    SortFileList(settings.sortKey, settings.sortOrder);
    app_.ini.PutIni(L"SORT", L"KEY", std::to_wstring(column));
    app_.ini.PutIni(L"SORT", L"ORDER", sortedDescending_ ? L"1" : L"0");
}

}  // namespace orvane
