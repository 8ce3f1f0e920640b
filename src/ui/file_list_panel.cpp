// The file list: filling the virtual list view from the scanned files,
// answering its display requests, colours and typed search, sorting by a
// column, and the rows the commands act on.
#include "ui/file_list_panel.h"

#include <algorithm>
#include <functional>
#include <exception>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/status_text.h"
#include "core/drop_rules.h"
#include "core/text.h"
#include "platform/controls.h"
#include "platform/dpi.h"
#include "platform/folder_scan.h"
#include "platform/handles.h"
#include "platform/paths.h"
#include "ui/appearance.h"
#include "ui/commands.h"
#include "ui/file_transfer.h"
#include "ui/window_state.h"

namespace orvane {

namespace {

// The colour of names that match the find bar's word.
constexpr COLORREF kFindHighlight = RGB(255, 80, 0);
constexpr wchar_t kFolderGone[] = L"フォルダが存在しません。";
constexpr UINT_PTR kProgressTimerId = 2;  // the repeat that shows how far a listing got
constexpr UINT kProgressDelayMs = 250;    // a listing shorter than this shows nothing of itself

}  // namespace

FileListPanel::FileListPanel(FileListContext context, FileListListener& listener)
    : context_(std::move(context)), listener_(listener) {
    listening_ =
        context_.settings.Listen([this](const std::vector<SettingKey>& changed) { OnSettingsChanged(changed); });
}

FileListPanel::~FileListPanel() {
    CancelListing();
    StopFollowing();
}

void FileListPanel::Create(HWND parent, int id) {
    list_.Create(parent, id);
    UpdateListColors();
}

void FileListPanel::SetUpColumns(UINT dpi) {
    const std::optional<std::vector<int>> stored = ColumnWidthsToShow(settings());
    std::vector<ListView::ColumnDef> columns;
    for (std::size_t i = 0; i < FileColumns().size(); ++i) {
        const FileColumn& column = FileColumns()[i];
        columns.push_back({column.caption, TwipsToPixels(stored ? (*stored)[i] : column.widthTwips, dpi),
                           column.align == ColumnAlign::Right ? listview::Align::Right : listview::Align::Left});
    }
    list_.SetColumns(columns);
}

// A relative FILE_PATH belongs to the program's folder, not to wherever the
// program was started from.
std::wstring FileListPanel::ClientFolder() const {
    return ResolvedAgainst(context_.programFolder, settings().filePath);
}

void FileListPanel::Show(const std::wstring& folder, bool clientFolder) {
    if (folder.empty()) {
        CancelListing();
        shownFolder_ = folder;
        shownClientFolder_ = clientFolder;
        ShowEntries({});  // no folder: no rows
        ShowListedFolder();
        return;
    }
    // Whether the folder is there is asked on the worker too: a share that
    // does not answer must not hold up the window.
    ListFolder(folder, clientFolder);
}

void FileListPanel::Relist() { Show(shownFolder_, shownClientFolder_); }

void FileListPanel::RelistSelecting(const std::vector<std::wstring>& paths) {
    Relist();
    // Set after the relist, which forgets a wish of an earlier one.
    for (const std::wstring& path : paths) selectOnArrival_.push_back(path.substr(path.find_last_of(L"\\/") + 1));
}

void FileListPanel::ListFolder(const std::wstring& folder, bool clientFolder) {
    // A name edited in the rows a listing replaces is no longer there to
    // rename; a listing still running is replaced by this one.
    list_.CancelLabelEdit();
    CancelListing();
    selectOnArrival_.clear();
    // A refresh of the folder followed keeps its watch, whose reports wait
    // until the new rows are in: under Wine, watching a big folder anew
    // holds up every program for a moment.
    const std::wstring listFolder = clientFolder ? ClientFolder() : std::wstring();
    const bool keepWatch = settings().autoRefresh && follower_.Watching(folder, listFolder);
    if (!keepWatch) StopFollowing();
    shownFolder_ = folder;
    shownClientFolder_ = clientFolder;
    ListingRequest request;
    request.folder = folder;
    request.clientFolder = clientFolder;
    request.listFileFolder = ClientFolder();
    request.display = ListDummyDisplay();
    request.sortKey = ColumnNumbered(settings().sortKey) ? settings().sortKey : static_cast<int>(Column::FileName);
    request.sortOrder = settings().sortOrder;
    // The listing is made over the last one's memory where the rows shown
    // need it no more: filling fresh memory costs more than the scan itself.
    request.room = std::move(entries_);
    entries_.clear();
    if (!IsSameFolder(folder, listedFolder_, UpperCaseText)) {
        // Another folder's rows go at once; the same folder's stay until the
        // new ones are in.
        request.rowRoom = rows_.Take();
        listedFolder_.clear();
        list_.SetRowCount(0);
        list_.Repaint(true);
        if (statusBar_) statusbar::SetText(statusBar_, 1, L"");
        ShowListedFolder();
    }
    // Watched from before the scan (the worker waits until the watch reports
    // every change): what changes meanwhile is merged once the rows are in.
    if (!keepWatch) request.beforeScan = PrepareFollowing(folder, clientFolder, false);
    context_.queue.Repeat(kProgressTimerId, kProgressDelayMs, [this] { ShowProgress(); });
    lister_.Start(std::move(request), [this](Listing& listing) { TakeListing(listing); });
}

void FileListPanel::ShowProgress() {
    // Shown once a listing takes longer than a moment, and kept up to date.
    ShowStatus(L"読み込み中… " + rows_.Format().Number(static_cast<std::int64_t>(lister_.Scanned())) + L" ﾌｧｲﾙ");
    list_.SetBusy(true);
}

void FileListPanel::CancelListing() {
    lister_.Cancel();
    follower_.DropPrepared();
    context_.queue.StopRepeating(kProgressTimerId);
    list_.SetBusy(false);
}

void FileListPanel::TakeListing(Listing& listing) {
    context_.queue.StopRepeating(kProgressTimerId);
    list_.SetBusy(false);
    list_.CancelLabelEdit();
    if (!listing.found) {
        ShowEntries({});  // empty: the folder is gone
        ShowListedFolder();
        return;
    }
    // The same folder listed again keeps its selection, focus and place.
    const bool again = !listedFolder_.empty() && IsSameFolder(listing.folder, listedFolder_, UpperCaseText);
    std::vector<std::pair<int, int>> kept;
    if (again) kept = KeptRows(listing.rows);
    // Files that came by a paste or drop are selected in place of what was.
    std::vector<int> arrived;
    if (again && !selectOnArrival_.empty()) {
        const std::unordered_set<std::wstring_view> names(selectOnArrival_.begin(), selectOnArrival_.end());
        for (std::size_t i = 0; i < listing.rows.size(); ++i)
            if (names.count(listing.rows[i].key)) arrived.push_back(static_cast<int>(i));
        if (!arrived.empty()) kept.clear();
    }
    selectOnArrival_.clear();
    entries_ = std::move(listing.entries);
    RetireRows(rows_.Replace(std::move(listing.rows), listing.sortKey, listing.descending));
    UpdateListColors();
    if (again) {
        list_.ReplaceRows(static_cast<int>(rows_.Count()), kept);
        for (const int row : arrived) list_.Select(row, true);
        if (!arrived.empty()) {
            list_.Focus(arrived.front());
            list_.EnsureVisible(arrived.front());
        }
    } else {
        list_.SetRowCount(static_cast<int>(rows_.Count()));
        if (!rows_.Empty()) {
            list_.Select(0, true);
            list_.Focus(0);
        }
        list_.EnsureVisible(0);
    }
    list_.ShowSortArrow(ColumnIndex(static_cast<Column>(rows_.SortKey())), rows_.Descending());
    list_.Repaint(true);
    listedFolder_ = listing.folder;
    listedClientFolder_ = listing.clientFolder;
    ShowListedFolder();
    UpdateCountPanel();
    // What changed during the scan is merged now.
    follower_.Start();
}

// The selected and focused rows found among the rows of a new listing of
// their folder: (row now, row in the new listing). Only they are looked for:
// a map of every row would hold up the window at a big folder, and so would
// hashing every new row's name for one or two selected.
std::vector<std::pair<int, int>> FileListPanel::KeptRows(const std::vector<FileRow>& rows) const {
    std::vector<int> wanted = list_.SelectedRows();
    if (const int focused = list_.FocusedRow(); focused >= 0) wanted.push_back(focused);
    std::vector<std::pair<int, int>> kept;
    const auto keep = [&](int old, std::size_t now) { kept.emplace_back(old, static_cast<int>(now)); };
    constexpr std::size_t kFewRows = 16;
    if (wanted.size() <= kFewRows) {
        std::vector<std::pair<std::wstring_view, int>> names;
        for (const int row : wanted)
            if (const FileRow* file = rows_.At(row)) names.emplace_back(file->key, row);
        for (std::size_t i = 0; i < rows.size() && !names.empty(); ++i)
            for (const auto& [name, old] : names)
                if (rows[i].key.size() == name.size() && rows[i].key == name) keep(old, i);
        return kept;
    }
    std::unordered_map<std::wstring_view, int> names;
    for (const int row : wanted)
        if (const FileRow* file = rows_.At(row)) names.emplace(file->key, row);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (const auto it = names.find(rows[i].key); it != names.end()) keep(it->second, i);
    return kept;
}

// With no rows listed, the folder chosen (one that is gone): the list shows
// that it holds nothing.
void FileListPanel::ShowListedFolder() { ShowStatus(listedFolder_.empty() ? shownFolder_ : listedFolder_); }

void FileListPanel::ShowStatus(const std::wstring& text) {
    if (statusBar_) statusbar::SetText(statusBar_, 0, text);
}

void FileListPanel::UpdateListColors() {
    colors_ = ListColorsFor(settings(), kFindHighlight);
}

void FileListPanel::ApplyLook() {
    UpdateListColors();
    ApplyListAppearance(list_, settings(), context_.programFolder);
}

DummyDisplay FileListPanel::ListDummyDisplay() const {
    DummyDisplay display;
    display.showPrefix = settings().dummyInitialDisp != 0;
    display.showSizeSuffix = settings().dummySizeDisp != 0;
    display.sourceSize = settings().dummySizeSrc == 1;
    return display;
}

void FileListPanel::ShowEntries(FileEntryList entries, const std::wstring& folder,
                                const std::vector<ScannedDummy>* scanned) {
    // New rows: whatever followed the old ones stops (a listing starts again).
    list_.CancelLabelEdit();
    CancelListing();
    StopFollowing();
    entries_ = std::move(entries);
    listedFolder_.clear();
    std::vector<FileRow> built =
        BuildRows(entries_, ListDummyDisplay(), ScannedDummyReader(entries_, scanned, folder), rows_.Take());
    rows_.Replace(std::move(built), rows_.SortKey(), rows_.Descending());
    UpdateListColors();

    list_.SetRowCount(static_cast<int>(rows_.Count()));
    if (!rows_.Empty()) {
        list_.Select(0, true);
        list_.Focus(0);
    }
    list_.EnsureVisible(0);
    list_.Repaint(true);
    // An empty folder shows 0 too: a count of files that are gone would mislead.
    UpdateCountPanel();
}

void FileListPanel::UpdateCountPanel() {
    UpdateSelectionPanel();
    if (statusBar_) statusbar::SetText(statusBar_, 1, std::to_wstring(list_.RowCount()) + L" ﾌｧｲﾙ");
}

void FileListPanel::SortFileList(int key, int order) {
    list_.FollowReorder(rows_.Sort(key, order));
    list_.ShowSortArrow(ColumnIndex(static_cast<Column>(rows_.SortKey())), rows_.Descending());
    list_.Repaint(true);
}

// The header click flips the order and stores column and order at once.
void FileListPanel::OnColumnClick(int index) {
    const FileColumn* clicked = ColumnAt(index);
    if (!clicked) return;
    const int column = static_cast<int>(clicked->column);
    SortFileList(column, 1 - settings().sortOrder);
    // A stored order of 5 is descending: the next click ascends.
    context_.settings.Change({SettingKey::SortKey, SettingKey::SortOrder}, [&](Settings& s) {
        s.sortKey = static_cast<std::int16_t>(column);
        s.sortOrder = rows_.Descending() ? 1 : 0;
    });
}

void FileListPanel::MarkMatches(const std::wstring& word) {
    rows_.Mark(word);
    list_.Repaint(true);  // drawn over the old pixels, text over a background picture would thicken
    UpdateSelectionPanel();
}

void FileListPanel::ClearMarks() {
    rows_.ClearMarks();
    list_.Repaint(true);
    UpdateSelectionPanel();
}

bool FileListPanel::GoToMatch(bool forward) {
    if (!rows_.Matches()) return false;
    const int row = NextMarkedRow(rows_.All(), list_.FocusedRow(), forward);
    if (row < 0) return true;
    list_.ClearSelection();
    list_.Select(row, true);
    list_.Focus(row);
    list_.EnsureVisible(row);
    return true;
}

void FileListPanel::OnSelectionChanged() {
    // The control tells of every row; the panel is written once they are told.
    if (selectionPanelDue_) return;
    selectionPanelDue_ = true;
    context_.queue.Post([this] {
        selectionPanelDue_ = false;
        UpdateSelectionPanel();
    });
}

void FileListPanel::UpdateSelectionPanel() {
    if (!statusBar_) return;
    const std::vector<int> selected = list_.SelectedRows();
    std::int64_t bytes = 0;
    for (const int row : selected)
        if (const FileRow* file = rows_.At(row)) bytes += std::max<std::int64_t>(file->size, 0);
    statusbar::SetText(statusBar_, 2, SelectionStatus(rows_.Matches(), selected.size(), bytes, rows_.Format()));
}

std::wstring FileListPanel::CellText(int row, int column) const { return rows_.CellText(row, column); }

COLORREF FileListPanel::CellColor(int row, int column) const {
    // Cut rows are dimmed, as the shell dims what waits to be pasted.
    if (!cutNames_.empty() && IsSameFolder(cutFolder_, listedFolder_, UpperCaseText))
        if (const FileRow* file = rows_.At(row); file && cutNames_.contains(file->key)) return GetSysColor(COLOR_GRAYTEXT);
    return rows_.CellColor(row, column, colors_);
}

void FileListPanel::MarkCut(const std::vector<std::wstring>& paths) {
    cutNames_.clear();
    for (const std::wstring& path : paths) {
        const std::size_t cut = path.find_last_of(L'\\');
        cutFolder_ = path.substr(0, cut + 1);
        cutNames_.insert(path.substr(cut + 1));
    }
    list_.Repaint(true);
}

void FileListPanel::ClearCut() {
    if (cutNames_.empty()) return;
    cutNames_.clear();
    list_.Repaint(true);
}

int FileListPanel::FindRow(const LVFINDINFOW& find, int start) const { return rows_.FindByPrefix(find, start); }

// A row's file by its name on disk, never by its label: a dummy file's label
// may be shortened by the display settings. The folder is the one the rows
// were listed from.
std::wstring FileListPanel::RowPath(int row) const {
    const FileRow* file = rows_.At(row);
    if (!file || listedFolder_.empty() || file->key.empty()) return {};
    return JoinPath(listedFolder_, file->key);
}

std::vector<std::wstring> FileListPanel::FilesToActOn() { return FilesToActOn(list_.SelectedRows()); }

std::vector<std::wstring> FileListPanel::FilesToActOn(const std::vector<int>& rows) {
    std::vector<std::wstring> paths;
    std::vector<std::wstring> gone;
    for (int row : rows) {
        std::wstring path = RowPath(row);
        if (path.empty()) continue;
        // Asked by the verbatim path: a plain one may name another file.
        if (PlainFileExists(VerbatimPath(listedFolder_, rows_.At(row)->key)))
            paths.push_back(std::move(path));
        else
            gone.push_back(std::move(path));
    }
    // A row whose file is gone just leaves: the shell would be handed a
    // name that is no file (and may ask about a folder).
    if (!gone.empty()) DropRowsWhoseFilesLeft();
    if (RefuseUnreachableNames(context_.shell, GetParent(list_.hwnd()), paths)) return {};
    return paths;
}

void FileListPanel::DropRowsWhoseFilesLeft() {
    std::vector<char> gone(rows_.Count());
    for (std::size_t i = 0; i < gone.size(); ++i)
        gone[i] = !FileExists(VerbatimPath(listedFolder_, rows_.All()[i].key));
    const auto firstGone = std::find(gone.begin(), gone.end(), 1);
    if (firstGone != gone.end()) {
        // Where each row that stays lands: its place less the rows gone above it.
        std::vector<int> now(gone.size(), -1);
        int at = 0;
        for (std::size_t i = 0; i < gone.size(); ++i)
            if (!gone[i]) now[i] = at++;
        std::vector<std::pair<int, int>> kept;
        std::vector<int> asked = list_.SelectedRows();
        asked.push_back(list_.FocusedRow());
        for (const int row : asked)
            if (row >= 0 && static_cast<std::size_t>(row) < now.size() && now[static_cast<std::size_t>(row)] >= 0)
                kept.emplace_back(row, now[static_cast<std::size_t>(row)]);
        std::size_t next = 0;  // remove_if asks about each row once, in order
        rows_.RemoveWhere([&](const FileRow&) { return gone[next++] != 0; });
        list_.ReplaceRows(static_cast<int>(rows_.Count()), kept);
        // None of the files acted on is left: the row that followed the
        // first of them takes the selection and the focus, as in Explorer,
        // so that the next key acts on it.
        if (list_.SelectedRows().empty() && !rows_.Empty()) {
            const int follower =
                std::min(static_cast<int>(firstGone - gone.begin()), static_cast<int>(rows_.Count()) - 1);
            list_.Select(follower, true);
            list_.Focus(follower);
            list_.EnsureVisible(follower);
        }
    }
    list_.Repaint(true);
    // The count follows the rows: files no longer listed would mislead.
    UpdateCountPanel();
}

int FileListPanel::CurrentRow() const {
    const int focused = list_.FocusedRow();
    const std::vector<int> selected = list_.SelectedRows();
    if (std::find(selected.begin(), selected.end(), focused) != selected.end()) return focused;
    return selected.empty() ? -1 : selected.front();
}

void FileListPanel::StartRename() {
    const int row = CurrentRow();
    if (row < 0) return;
    SetFocus(list_.hwnd());
    list_.StartLabelEdit(row);
}

// The edit starts from the file's name on disk, not from a shortened label
// (or from the name just refused), with the name before its extension
// selected, so that typing keeps the extension.
bool FileListPanel::OnBeginLabelEdit(int row) {
    const FileRow* file = rows_.At(row);
    if (dragging_ || !file) {
        retypeName_.clear();
        return false;
    }
    editingName_ = file->key;
    const std::wstring text = retypeName_.empty() ? editingName_ : std::exchange(retypeName_, std::wstring());
    list_.SetLabelEditText(text);
    const std::size_t dot = text.rfind(L'.');
    const int stem = dot == std::wstring::npos || dot == 0 ? -1 : static_cast<int>(dot);
    // The control selects the whole text once it has asked us.
    context_.queue.Post([this, stem] { list_.SelectLabelEditText(stem); });
    return true;
}

void FileListPanel::OnEndLabelEdit(int row, const wchar_t* text) {
    // The rows may have been re-sorted or refilled under the edit: the
    // rename acts on the file whose row was edited, or on none.
    const std::wstring edited = std::exchange(editingName_, std::wstring());
    if (const FileRow* file = rows_.At(row); !file || file->key != edited) row = rows_.Find(edited);
    if (text && row >= 0 && !edited.empty()) {
        FileRow& file = *rows_.At(row);
        std::optional<std::pair<std::wstring, std::wstring>> refused;  // the file's name and what was typed
        // Nothing typed is no name: the label just goes back.
        if (std::wstring typed = text; typed != file.key && !Trimmed(typed).empty()) {
            if (const std::optional<std::wstring> name = listener_.OnListRename(listedFolder_, file.key, typed);
                !name) {
                refused = std::pair(file.key, typed);
            } else {
                file.key = *name;
                file.extension = ExtensionOf(*name);
                file.text.clear();
                if (file.dummy) {
                    if (const std::optional<DummyHeader> header = ReadDummyHeader(listedFolder_, *name))
                        file.text = DummyDisplayName(*name, *header, settings().dummyInitialDisp != 0,
                                                     settings().dummySizeDisp != 0);
                }
                file.nameKey.reset();
                file.extensionKey.reset();
            }
        }
        // The list takes the keyboard back once the edit is gone, also after
        // a message box took it away.
        const HWND list = list_.hwnd();
        context_.queue.Post([list] { SetFocus(list); });
        // Refused: the edit opens again with what was typed, to mend it;
        // a file that went meanwhile has nothing to mend, its row goes.
        if (refused)
            context_.queue.Post([this, refused] {
                if (!PlainFileExists(VerbatimPath(listedFolder_, refused->first))) return DropRowsWhoseFilesLeft();
                const int again = rows_.Find(refused->first);
                if (again < 0 || list_.EditingLabel()) return;
                retypeName_ = refused->second;
                list_.StartLabelEdit(again);
                retypeName_.clear();
            });
    }
    // The label comes from the row, renamed or not.
    if (row >= 0) list_.RepaintRow(row);
}

void FileListPanel::OnBeginDrag(int /*row*/) { listener_.OnListDrag(); }

void FileListPanel::OnRightClick(int /*row*/, POINT at) { listener_.OnListMenu(at); }

void FileListPanel::OnDoubleClick(int /*row*/) { listener_.OnListCommand(kCmdOpen); }

void FileListPanel::OnKeyDown(WORD key) {
    switch (key) {
    case VK_F2:
        listener_.OnListCommand(kCmdRename);
        break;
    case VK_DELETE:
        listener_.OnListCommand(GetKeyState(VK_SHIFT) < 0 ? kCmdDeleteForGood : kCmdDelete);
        break;
    case VK_BACK:
        if (GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) listener_.OnListCommand(kCmdParentFolder);
        break;
    case 'X':
    case 'C':
    case 'V':
        if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0)
            listener_.OnListCommand(key == 'X' ? kCmdCut : key == 'C' ? kCmdCopyToClipboard : kCmdPaste);
        break;
    default:
        break;
    }
}

// The list following its folder: the changes the watch reports are merged
// into the rows, which keep their order, selection, focus and place in the view.
std::function<void()> FileListPanel::PrepareFollowing(const std::wstring& folder, bool clientFolder, bool catchUp) {
    if (!settings().autoRefresh || folder.empty()) return {};
    return follower_.Prepare(folder, clientFolder ? ClientFolder() : std::wstring(), catchUp);
}

void FileListPanel::FollowFolder(bool catchUp) {
    StopFollowing();
    PrepareFollowing(listedFolder_, listedClientFolder_, catchUp);
    follower_.Start();
}

void FileListPanel::StopFollowing() {
    follower_.Stop();
    folderGoneShown_ = false;  // a new listing names its folder afresh
}

void FileListPanel::ApplyFolderChanges(FolderChanges changes, const std::wstring& folder) {
    RowChanges rowChanges;
    if (changes.folderGone) {
        // The rows go, as the refresh command would take them, but the watch
        // stays to bring the files back when the folder is there again.
        rowChanges.complete = true;
        ShowStatus(kFolderGone + (L" " + folder));
        folderGoneShown_ = true;
    } else {
        if (folderGoneShown_) ShowStatus(folder);
        folderGoneShown_ = false;
        rowChanges.present = BuildRows(changes.present, ListDummyDisplay(), [&folder](const FileEntry& entry) {
            return ReadDummyHeader(folder, entry.Name);
        });
        rowChanges.gone = std::move(changes.gone);
        rowChanges.renamed = std::move(changes.renamed);
        rowChanges.complete = changes.complete;
    }
    if (rowChanges.present.empty() && rowChanges.gone.empty() && !rowChanges.complete) return;
    list_.FollowChange(rows_.Merge(std::move(rowChanges)));
    // Rows moved: drawn over the old pixels, a background picture would keep
    // the old rows' text under the new.
    list_.Repaint(true);
    UpdateCountPanel();
}

void FileListPanel::OnSettingsChanged(const std::vector<SettingKey>& changed) {
    if (!Names(changed, SettingKey::AutoRefresh)) return;
    // During a listing the switch decides whether its rows are followed; a
    // watch made once the scan is under way first reads the whole folder.
    if (lister_.Running()) {
        StopFollowing();
        PrepareFollowing(shownFolder_, shownClientFolder_, true);
        return;
    }
    // Switched on, the list first catches up with what changed while it was off.
    FollowFolder(true);
}

// The rows a listing replaced are freed on a thread of their own: freeing a
// big folder's rows one by one would hold up the window.
void FileListPanel::RetireRows(std::vector<FileRow> rows) {
    if (rows.empty()) return;
    try {
        std::thread([retired = std::make_shared<std::vector<FileRow>>(std::move(rows))]() mutable {
            retired.reset();
        }).detach();
    } catch (const std::exception&) {
        // No thread (or no room for one): they are freed here.
    }
}

}  // namespace orvane
