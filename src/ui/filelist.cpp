// The file list: filling the virtual list view from the scanned files,
// answering its display requests, colours and typed search.
#include <algorithm>
#include <functional>

#include "core/text.h"
#include "platform/folder_scan.h"
#include "ui/appearance.h"
#include "ui/commands.h"
#include "ui/frm_main.h"
#include "platform/controls.h"

namespace orvane {

void Frm_Main::ListFolder(const std::wstring& folder, bool clientFolder) {
    // The new listing is made over the last one, in memory already in use:
    // filling fresh memory costs more than the scan itself. Until it is
    // shown the list has no rows, and a name edited in the old rows is no
    // longer there to rename.
    fileList_.CancelLabelEdit();
    StopFollowing();
    fileList_.SetRowCount(0);
    // Watched from before the scan: a file that changes meanwhile is reported.
    std::unique_ptr<FolderWatch> watch = WatchFolder(folder, clientFolder, false);
    FolderScan scan = ScanFolderAndDummies(folder, kPendingDummyLimit, std::move(FileEntries));
    FileEntries = std::move(scan.entries);
    // The client keeps its list file in its own download folder, whatever
    // folder a line of the data file gave the root.
    if (clientFolder) ReadIncompleteList(ClientFolder(), FileEntries);
    ShowFileList(folder, &scan.dummies);
    SortFileList(settings().sortKey, settings().sortOrder);
    listedFolder_ = folder;
    listedClientFolder_ = clientFolder;
    ShowListedFolder();
    FollowFolder(std::move(watch));
}

std::wstring Frm_Main::SelectedFolder() const {
    const FolderNode* node = NodeOf(treeview::Selection(TVDir()));
    return node ? node->folder : std::wstring();
}

// With no rows listed, the selected node's folder (one that is gone): the
// list shows that it holds nothing.
void Frm_Main::ShowListedFolder() {
    statusbar::SetText(SBMain(), 0, listedFolder_.empty() ? SelectedFolder() : listedFolder_);
}

void Frm_Main::UpdateListColors() {
    colors_.listText = ResolveColor(settings().listTextColor);
    colors_.sizeColor = ResolveColor(settings().sizeColor);
    colors_.dummyColor = ResolveColor(settings().dummyColor);
    colors_.highlight = findHighlightColor_;
}

DummyDisplay Frm_Main::ListDummyDisplay() const {
    DummyDisplay display;
    display.showPrefix = settings().dummyInitialDisp != 0;
    display.showSizeSuffix = settings().dummySizeDisp != 0;
    display.sourceSize = settings().dummySizeSrc == 1;
    return display;
}

void Frm_Main::ShowFileList() { ShowFileList(std::wstring(), nullptr); }

void Frm_Main::ShowFileList(const std::wstring& folder, const std::vector<ScannedDummy>* scanned) {
    // New rows: whatever followed the old ones stops (a listing starts again).
    fileList_.CancelLabelEdit();
    StopFollowing();
    listedFolder_.clear();
    sizeTally_.Reset();
    findWord_.reset();
    const FileEntry* first = FileEntries.data();
    const FileEntry* end = first + FileEntries.size();
    std::vector<FileRow> room = std::move(rows_);
    rows_ = BuildRows(
        FileEntries, ListDummyDisplay(),
        [&](const FileEntry& entry) {
            if (scanned && !std::less<>()(&entry, first) && std::less<>()(&entry, end)) {
                const auto index = static_cast<std::size_t>(&entry - first);
                const auto it = std::lower_bound(scanned->begin(), scanned->end(), index,
                                                 [](const ScannedDummy& d, std::size_t i) { return d.index < i; });
                if (it != scanned->end() && it->index == index) return it->header;
            }
            return ReadDummyHeader(folder, entry.Name);
        },
        std::move(room));
    UpdateListColors();

    fileList_.SetRowCount(static_cast<int>(rows_.size()));
    if (!rows_.empty()) {
        fileList_.Select(0, true);
        fileList_.Focus(0);
    }
    fileList_.EnsureVisible(0);
    fileList_.Repaint(true);
    // An empty folder shows 0 too: a count of files that are gone would mislead.
    UpdateCountPanel();
}

void Frm_Main::UpdateCountPanel() { statusbar::SetText(SBMain(), 1, std::to_wstring(fileList_.RowCount()) + L" ﾌｧｲﾙ"); }

std::wstring Frm_Main::CellText(int row, int column) const {
    const FileColumn* def = ColumnAt(column);
    if (!def || row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return {};
    return def->text(rows_[static_cast<std::size_t>(row)], format_);
}

COLORREF Frm_Main::CellColor(int row, int column) const {
    const FileColumn* def = ColumnAt(column);
    if (!def || row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return CLR_DEFAULT;
    return orvane::CellColor(rows_[static_cast<std::size_t>(row)], def->column, colors_);
}

// The typed search: the next row whose shown name begins with the typed
// text, ignoring case.
int Frm_Main::FindRow(const LVFINDINFOW& find, int start) const {
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
        const std::wstring& text = ShownName(rows_[static_cast<std::size_t>(i)]);
        if (text.size() < wanted.size()) continue;
        const std::wstring head = UpperCaseText(std::wstring_view(text).substr(0, wanted.size()));
        if ((find.flags & LVFI_PARTIAL) ? head == wanted : (head == wanted && text.size() == wanted.size())) return i;
    }
    return -1;
}

}  // namespace orvane
