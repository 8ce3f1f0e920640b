// The file list: the rows of one folder's files in a virtual list view. The
// panel owns the listing (the folder the rows are of, the rows, their sort,
// the word they are marked against, the tally of shared sizes) and the watch
// that keeps them up to date, and it answers every command's question of
// which folder and which files are selected.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/file_entry.h"
#include "core/file_list_model.h"
#include "core/list_changes.h"
#include "platform/folder_watch.h"
#include "platform/list_view.h"
#include "platform/locale_text.h"
#include "platform/settings_store.h"
#include "platform/shell_ui.h"
#include "platform/ui_queue.h"
#include "ui/folder_follower.h"
#include "ui/file_rows.h"
#include "ui/folder_lister.h"

namespace orvane {

struct ScannedDummy;

// What the list asks of the window around it.
class FileListListener {
public:
    // A command the list's keys or mouse ask for (F2, Delete, Enter, a double click, Ctrl+X/C/V).
    virtual void OnListCommand(int command) = 0;
    // The list's pop-up menu, at a point of the screen.
    virtual void OnListMenu(POINT screen) = 0;
    // The user began to drag the selected rows.
    virtual void OnListDrag() = 0;
    // Renames the file name in folder to typed; the name the file has now,
    // or nothing when the rename was refused or failed.
    virtual std::optional<std::wstring> OnListRename(const std::wstring& folder, const std::wstring& name,
                                                     const std::wstring& typed) = 0;

protected:
    ~FileListListener() = default;
};

struct FileListContext {
    std::wstring programFolder;  // ends with a backslash; a relative client folder belongs to it
    SettingsStore& settings;
    ShellUi& shell;
    UiQueue& queue;                         // the window thread's: the watch's reports and the pacing of updates
    const ListingSource* source = nullptr;  // what listings read; the disk when not given
};

class FileListPanel final : private ListViewDelegate {
public:
    FileListPanel(FileListContext context, FileListListener& listener);
    ~FileListPanel();
    FileListPanel(const FileListPanel&) = delete;
    FileListPanel& operator=(const FileListPanel&) = delete;

    void Create(HWND parent, int id);
    // The seven columns at their stored widths (the designed ones where none
    // are stored), for the window's dpi.
    void SetUpColumns(UINT dpi);
    // The status bar's first panel names the folder listed, its second counts the rows.
    void SetStatusBar(HWND statusBar) { statusBar_ = statusBar; }
    HWND LVList() const { return list_.hwnd(); }
    ListView& View() { return list_; }
    const ListView& View() const { return list_; }

    // Shows the folder the user chose: its files, or no rows when it is gone
    // (or none).
    void Show(const std::wstring& folder, bool clientFolder);
    // Lists a folder on a worker: scan, the client's list file when it is the
    // client's folder, fill and sort by the stored column and order; the rows
    // come in when it is done. Another folder's rows go at once; the same
    // folder's stay until then. A listing still running is cancelled.
    void ListFolder(const std::wstring& folder, bool clientFolder);
    // A listing runs: its rows are not in yet.
    bool Loading() const { return lister_.Running(); }
    // Lists the folder shown again.
    void Relist();
    // Selects and shows the next row the find marked after the focused one
    // (before it, going back), coming round at the end; false when no find
    // is on.
    bool GoToMatch(bool forward);
    // Lists it again and selects the files of these paths that it holds
    // (what a paste or a drop brought), focusing the first.
    void RelistSelecting(const std::vector<std::wstring>& paths);
    // The rows of entries, for the folder whose files they are; the headers
    // of 40-byte entries come from the scan that read them when given.
    void ShowEntries(FileEntryList entries, const std::wstring& folder = L"",
                     const std::vector<ScannedDummy>* scanned = nullptr);
    void SortFileList(int key, int order);
    // The look from the settings: colours, background picture, grid lines.
    void ApplyLook();

    // The find bar's marks: names that contain word, or none.
    void MarkMatches(const std::wstring& word);
    void ClearMarks();
    COLORREF FindHighlightColor() const { return colors_.highlight; }

    // The folder the rows were listed from; empty when the list shows none.
    const std::wstring& ListedFolder() const { return listedFolder_; }
    // The full path of a row's file (its name on disk), empty for no row.
    std::wstring RowPath(int row) const;
    // The row the single-file commands act on: the focused row when it is
    // selected, else the first selected row; -1 for none.
    int CurrentRow() const;
    // The files of the rows a command acts on (the selected ones when not
    // given): rows whose files are gone leave the list, and a name that a
    // plain path does not reach refuses the command with a message.
    std::vector<std::wstring> FilesToActOn();
    std::vector<std::wstring> FilesToActOn(const std::vector<int>& rows);
    // The files of these paths were cut to the clipboard: their rows are
    // drawn dimmed until ClearCut (pasted, or the clipboard holds another
    // thing).
    void MarkCut(const std::vector<std::wstring>& paths);
    void ClearCut();
    // Removes the rows whose files are no longer in the folder; the count follows.
    void DropRowsWhoseFilesLeft();
    // Starts editing the current row's name.
    void StartRename();
    bool EditingLabel() const { return list_.EditingLabel(); }
    // While the list's rows are dragged, no name edit may start.
    void SetDragging(bool dragging) { dragging_ = dragging; }
    // The status bar's first panel names the folder shown again.
    void ShowListedFolder();

    const std::vector<FileRow>& Rows() const { return rows_.All(); }
    const ListColors& Colors() const { return colors_; }
    const FileEntryList& Entries() const { return entries_; }
    // The entries' memory, for a scan that lists anew over it.
    FileEntryList TakeEntries() { return std::move(entries_); }

    // The client's download folder: the stored FILE_PATH as the program uses it.
    std::wstring ClientFolder() const;
    // Ends the watch (the window closes).
    void StopFollowing();

private:
    std::wstring CellText(int row, int column) const override;
    COLORREF CellColor(int row, int column) const override;
    int FindRow(const LVFINDINFOW& find, int start) const override;
    void OnColumnClick(int index) override;
    bool OnBeginLabelEdit(int row) override;
    void OnEndLabelEdit(int row, const wchar_t* text) override;
    void OnBeginDrag(int row) override;
    void OnKeyDown(WORD key) override;
    void OnRightClick(int row, POINT at) override;
    void OnSelectionChanged() override;
    // The panel after the count: what a find matched and what is selected.
    void UpdateSelectionPanel();

    void OnDoubleClick(int row) override;

    const Settings& settings() const { return context_.settings.Get(); }
    DummyDisplay ListDummyDisplay() const;
    void UpdateListColors();
    void UpdateCountPanel();
    void ShowStatus(const std::wstring& text);
    void OnSettingsChanged(const std::vector<SettingKey>& changed);
    void ShowProgress();
    void CancelListing();
    void TakeListing(Listing& listing);
    static void RetireRows(std::vector<FileRow> rows);
    std::vector<std::pair<int, int>> KeptRows(const std::vector<FileRow>& rows) const;

    // Following the folder listed, when the option is on: a watch made
    // before its folder is scanned reports what changes during the scan.
    std::function<void()> PrepareFollowing(const std::wstring& folder, bool clientFolder, bool catchUp);
    void FollowFolder(bool catchUp);  // the folder listed last
    void ApplyFolderChanges(FolderChanges changes, const std::wstring& folder);

    FileListContext context_;
    FileListListener& listener_;
    ListView list_{*this};
    HWND statusBar_ = nullptr;
    SettingsStore::Listening listening_;

    FileEntryList entries_;  // the files of the folder last scanned
    FileRows rows_;
    std::wstring shownFolder_;  // the folder chosen last, listed or gone
    bool shownClientFolder_ = false;
    std::wstring listedFolder_;  // the folder the rows are of; empty when none
    bool listedClientFolder_ = false;
    ListColors colors_;
    std::wstring editingName_;  // the file whose name is edited
    std::wstring retypeName_;   // a refused name, given to the edit that opens again
    bool dragging_ = false;

    FolderLister lister_{context_.queue, context_.source ? *context_.source : DiskListingSource()};
    FolderFollower follower_{
        context_.queue, [this] { return list_.EditingLabel() || lister_.Running(); },
        [this](FolderChanges changes, const std::wstring& folder) { ApplyFolderChanges(std::move(changes), folder); }};
    bool folderGoneShown_ = false;               // the status bar says the listed folder is gone
    bool selectionPanelDue_ = false;             // a word of a changed selection waits in the queue
    std::vector<std::wstring> selectOnArrival_;  // names to select once the listing under way is in
    std::wstring cutFolder_;                     // the folder of the files cut to the clipboard
    std::unordered_set<std::wstring> cutNames_;  // their names
};

}  // namespace orvane
