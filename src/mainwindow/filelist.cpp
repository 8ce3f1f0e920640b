// The file list: filling the virtual list view from the scanned files,
// answering its display requests and drawing its colours.
#include <algorithm>
#include <cwchar>

#include "inventory/scan_folder.h"
#include "mainwindow/appearance.h"
#include "mainwindow/commands.h"
#include "mainwindow/frm_main.h"
#include "win/controls.h"

namespace orvane {

void Frm_Main::ListFolder(const std::wstring& folder, bool clientFolder) {
    FileEntries = ScanFolder(folder);
    // The client keeps its list file in its own download folder, whatever
    // folder a line of the data file gave the root.
    if (clientFolder) ReadIncompleteList(ClientFolder(), FileEntries);
    ShowFileList();
    SortFileList(settings.sortKey, settings.sortOrder);
}

std::wstring Frm_Main::SelectedFolder() const {
    const FolderNode* node = NodeOf(treeview::Selection(TVDir));
    return node ? node->folder : std::wstring();
}

void Frm_Main::UpdateListColors() {
    colors_.listText = ResolveColor(settings.listTextColor);
    colors_.sizeColor = ResolveColor(settings.sizeColor);
    colors_.dummyColor = ResolveColor(settings.dummyColor);
    colors_.highlight = FindHighlightColor;
}

void Frm_Main::ShowFileList() {
    const std::wstring folder = SelectedFolder();
    DummyDisplay display;
    display.showPrefix = settings.dummyInitialDisp != 0;
    display.showSizeSuffix = settings.dummySizeDisp != 0;
    display.sourceSize = settings.dummySizeSrc == 1;
    rows_ = BuildRows(FileEntries, display,
                      [&folder](const FileEntry& entry) { return ReadDummyHeader(folder, entry.Name); });
    UpdateListColors();

    ClearSelection(SelectedRows(), ListView_GetNextItem(LVList, -1, LVNI_FOCUSED));
    ListView_SetItemCountEx(LVList, static_cast<int>(rows_.size()), 0);
    if (!rows_.empty()) {
        ListView_SetItemState(LVList, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetSelectionMark(LVList, 0);
    }
    ListView_EnsureVisible(LVList, 0, FALSE);
    InvalidateRect(LVList, nullptr, TRUE);
    // An empty folder shows 0 too: a count of files that are gone would mislead.
    UpdateCountPanel();
}

void Frm_Main::UpdateCountPanel() {
    statusbar::SetText(SBMain, 1, std::to_wstring(listview::ItemCount(LVList)) + L" ﾌｧｲﾙ");
}

std::wstring Frm_Main::CellTextAt(int row, Column column) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return {};
    return CellText(rows_[static_cast<std::size_t>(row)], column, format_);
}

void Frm_Main::ClearSelection(const std::vector<int>& selected, int focused) {
    // Item by item: clearing "all items" walks every row of a large list.
    if (!selected.empty() && selected.size() == rows_.size()) {
        ListView_SetItemState(LVList, -1, 0, LVIS_SELECTED);
    } else {
        for (int row : selected) ListView_SetItemState(LVList, row, 0, LVIS_SELECTED);
    }
    if (focused >= 0) ListView_SetItemState(LVList, focused, 0, LVIS_FOCUSED);
}

std::vector<int> Frm_Main::SelectedRows() const {
    std::vector<int> selected;
    for (int i = ListView_GetNextItem(LVList, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(LVList, i, LVNI_SELECTED))
        selected.push_back(i);
    return selected;
}

int Frm_Main::FindItemByPrefix(const LVFINDINFOW& find, int start) const {
    if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.psz || rows_.empty()) return -1;
    const std::wstring wanted = UpperCaseText(find.psz);
    const int count = static_cast<int>(rows_.size());
    // The search begins after the start item (from the first row for -1 or
    // an index that is no row) and comes round to just before it only with
    // LVFI_WRAP; the start item itself is never a match.
    const bool fromTop = start < 0 || start >= count;
    const int first = fromTop ? 0 : start + 1;
    const int steps = fromTop ? count : (find.flags & LVFI_WRAP) ? count - 1 : count - first;
    for (int step = 0; step < steps; ++step) {
        const int i = (first + step) % count;
        const std::wstring& text = rows_[static_cast<std::size_t>(i)].text;
        if (text.size() < wanted.size()) continue;
        const std::wstring head = UpperCaseText(std::wstring_view(text).substr(0, wanted.size()));
        if ((find.flags & LVFI_PARTIAL) ? head == wanted : (head == wanted && text.size() == wanted.size())) return i;
    }
    return -1;
}

LRESULT Frm_Main::OnListCustomDraw(NMLVCUSTOMDRAW* draw) const {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const std::size_t row = draw->nmcd.dwItemSpec;
        if (row < rows_.size()) draw->clrText = CellColor(rows_[row], static_cast<Column>(draw->iSubItem + 1), colors_);
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

bool Frm_Main::OnListNotify(NMHDR* header, LRESULT& result) {
    switch (header->code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::wstring text = CellTextAt(item.iItem, static_cast<Column>(item.iSubItem + 1));
            wcsncpy(item.pszText, text.c_str(), static_cast<std::size_t>(item.cchTextMax) - 1);
            item.pszText[item.cchTextMax - 1] = L'\0';
        }
        result = 0;
        return true;
    }
    case LVN_ODFINDITEMW: {
        const auto* find = reinterpret_cast<NMLVFINDITEMW*>(header);
        result = FindItemByPrefix(find->lvfi, find->iStart);
        return true;
    }
    case NM_CUSTOMDRAW:
        result = OnListCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
        return true;
    case LVN_COLUMNCLICK:
        OnColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem + 1);
        result = 0;
        return true;
    case LVN_KEYDOWN: {
        const auto* key = reinterpret_cast<NMLVKEYDOWN*>(header);
        if (key->wVKey == 'A' && GetKeyState(VK_CONTROL) < 0) {
            ListView_SetItemState(LVList, -1, LVIS_SELECTED, LVIS_SELECTED);
        }
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace orvane
