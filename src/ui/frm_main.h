// The main window: find bar, folder tree, splitter, file list, status bar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "core/settings_model.h"
#include "core/version_text.h"
#include "ui/program_dialogs.h"
#include "platform/shell_ui.h"
#include "core/file_entry.h"
#include "core/file_list_model.h"
#include "platform/registered_folders_file.h"
#include "platform/folder_watch.h"
#include "platform/ui_queue.h"
#include "core/pane_layout.h"
#include "core/list_changes.h"
#include "platform/locale_text.h"
#include "ui/splitter.h"
#include "platform/com.h"
#include "platform/handles.h"
#include "platform/list_view.h"
#include "platform/window.h"

namespace orvane {

struct ScannedDummy;

// What the main window needs from the running program.
struct AppContext {
    SettingsStore& settings;  // the one owner of the settings in memory
    std::wstring programFolder;  // ends with a backslash
    ShellUi& shell;
    ProgramDialogs& dialogs;
};

inline constexpr wchar_t kRootKey[] = L"WinMX";
inline constexpr wchar_t kRootCaption[] = L"ＷｉｎＭＸ";
inline constexpr wchar_t kHelpFileName[] = L"RORUDIZ031.HLP";
inline constexpr wchar_t kHelpPageName[] = L"OrvaneHelp.html";

// One node of the folder tree.
struct FolderNode {
    std::wstring key;
    std::wstring folder;
};

class Frm_Main final : public Window, private ListViewDelegate, private SplitterDelegate {
public:
    // faults: steps of the data file's rewrite that a test makes fail.
    explicit Frm_Main(AppContext& app, const RewriteFaults* faults = nullptr);
    ~Frm_Main() override;

    // Creates the window, still hidden, and runs the load sequence.
    void Load();
    // Makes the window visible, shows or hides the tree, lays out.
    void Show(int showCommand = SW_SHOWNORMAL);
    // Ending the window (the window's own closing, or "終了") ends the program.
    void QuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }
    // Keys the window takes before the message goes on: F1, F5, Enter in the find field.
    bool TranslateAccelerators(MSG& msg);
    // While a caption is edited in place, Enter and Escape belong to the edit.
    bool EditingLabel() const;

    // Clamps x, writes it back and places tree, splitter and list.
    void SizeControls(double& x);
    const PaneLayout& Panes() const { return panes_; }
    bool TreeVisible() const;
    HMENU Menu() const { return menu_; }
    const FolderNode* NodeOf(HTREEITEM item) const;

    // The file list (filelist.cpp, sort.cpp).
    // Lists a folder: scan, the client's list file when it is the client's
    // folder, fill and sort by the stored column and order.
    void ListFolder(const std::wstring& folder, bool clientFolder);
    void ShowFileList();
    // The same for the entries of folder, taking the headers of 40-byte
    // entries from the scan that read them.
    void ShowFileList(const std::wstring& folder, const std::vector<ScannedDummy>* scanned);
    void SortFileList(int key, int order);
    const std::vector<FileRow>& Rows() const { return rows_; }
    const ListColors& Colors() const { return colors_; }
    const ListView& FileList() const { return fileList_; }
    // The folder of the selected tree node.
    std::wstring SelectedFolder() const;
    // The status bar's first panel names the folder whose files the list shows.
    void ShowListedFolder();

    // The commands on files (file_commands.cpp).
    // The full path of a row's file (its name on disk), empty for no row.
    std::wstring RowPath(int row) const;
    // The folder the rows were listed from; empty when the list shows none.
    const std::wstring& ListedFolder() const { return listedFolder_; }
    // Removes the rows whose files are no longer in the folder; the count follows.
    void DropRowsWhoseFilesLeft();
    // Moves (FO_MOVE) or copies (FO_COPY) the selected files into a folder
    // the user picks (move_copy.cpp).
    void MoveOrCopySelected(UINT operation);
    // The client's download folder: the stored FILE_PATH as the program uses it.
    std::wstring ClientFolder() const;

    // Drag and drop and the clipboard (drag_drop.cpp, clipboard.cpp).
    IDropTarget* ListDropTarget() const;
    IDropTarget* TreeDropTarget() const;
    // What a drag from the list hands over: the selected rows' files;
    // nothing when there are none to act on.
    ComPtr<IDataObject> ListDragData();
    // The end of a drag from the list: the effect the drag loop reported and
    // the data, on which the target may have said what it did.
    void EndDragFromList(DWORD effect, IDataObject* data);
    void CutOrCopySelected(bool cut);
    void PasteFiles();  // into the listed folder
    void PasteFilesInto(const std::wstring& folder);
    // Our last cut or copy as we put it on the clipboard (a program pasting it
    // reaches this object; Wine's clipboard does not hand it on in-process).
    IDataObject* ClipboardData() const { return clipboardData_.get(); }

    // The registered folders (tree.cpp).
    void RefreshCommand();
    bool RenameFolder(HTREEITEM item, const std::wstring& newName);

    FileEntryList FileEntries;  // the files of the folder last scanned
    std::wstring RefName;       // name and folder handed to and from the registered-folder dialog
    std::wstring RefDir;
    bool TreeLeftClick = false;  // the last mouse press on the tree was with the left button
    COLORREF FindHighlightColor() const { return findHighlightColor_; }

    HWND cboFind() const { return cboFind_; }
    HWND cmdFind() const { return cmdFind_; }
    HWND cmdDelFind() const { return cmdDelFind_; }
    HWND cmdCls() const { return cmdCls_; }
    HWND cmdRefresh() const { return cmdRefresh_; }
    HWND TVDir() const { return TVDir_; }
    HWND imgSplitter() const;
    HWND picSplitter() const;
    HWND LVList() const { return fileList_.hwnd(); }
    HWND SBMain() const { return SBMain_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id);
    const Settings& settings() const { return app_.settings.Get(); }

    void LoadSettings();
    void CreateMenus();
    void CreateControls();
    void SetUpColumns();
    void LoadFindHistory();
    void BuildFolderTree();
    FolderNode* NewNode(const std::wstring& caption, const std::wstring& folder);
    std::vector<std::wstring> CaptionsTo(HTREEITEM item, bool includeItem) const;
    bool IsRoot(HTREEITEM item) const;
    bool RefuseUnstorable(const std::wstring& name, const std::wstring& folder);
    bool RefuseSiblingCaption(HTREEITEM parent, const std::wstring& caption, HTREEITEM self);
    bool Rewrite(const std::function<LineChange(const std::wstring&)>& rule);
    void OnNodeClick(HTREEITEM item);
    void OnTreeMouseMove(POINT at);
    void OnTreeRightClick();
    bool OnTreeNotify(NMHDR* header, LRESULT& result);
    static LRESULT CALLBACK TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data);
    // The tree's commands act on the node given: the one right-clicked, or
    // the selected one.
    void OnTreeCommand(int command, HTREEITEM item);
    void OnRefAdd(HTREEITEM item);
    void OnRefMod(HTREEITEM item);
    void OnRefDel(HTREEITEM item);
    void OnExplorer(HTREEITEM item);
    void ApplyStoredPosition();

    void OnQueryUnload();
    // Size, maximised state, splitter and column widths, for the next start.
    void StoreWindowState();

    // The commands on files (file_commands.cpp).
    // The row the single-file commands act on: the focused row when it is
    // selected, else the first selected row; -1 for none.
    int CurrentRow() const;
    // Posted when a label edit ends: the list takes the keyboard back once the
    // edit is gone, also after a message box took it away.
    static constexpr UINT kFocusListMessage = WM_APP + 1;
    // Posted when a program that pasted our cut says the files moved.
    static constexpr UINT kCutPastedMessage = WM_APP + 2;
    // The files of the rows a command acts on (the selected ones when not
    // given): rows whose files are gone leave the list, and a name that a
    // plain path does not reach refuses the command with a message.
    std::vector<std::wstring> FilesToActOn();
    std::vector<std::wstring> FilesToActOn(const std::vector<int>& rows);
    void ShowFileMenu(POINT screen);
    void OnRename();
    void OnDelete(bool forGood = false);  // forGood: Shift+Delete, past the recycle bin
    void OnOpen();
    void OnProperties();
    bool RenameRow(int row, const std::wstring& typed);
    bool OnBeginLabelEdit(int row) override;
    void OnEndLabelEdit(int row, const wchar_t* text) override;
    void OnKeyDown(WORD key) override;
    void OnRightClick(int row, POINT at) override;
    void OnDoubleClick(int row) override;

    // What the file list asks of its window, the sort and the find bar.
    std::wstring CellText(int row, int column) const override;
    COLORREF CellColor(int row, int column) const override;
    int FindRow(const LVFINDINFOW& find, int start) const override;
    void OnColumnClick(int index) override;
    void UpdateListColors();
    void UpdateCountPanel();
    void HookFindField();
    void OnFind();
    void OnDeleteFind();
    void OnClearFind();
    int FindHistoryIndex(const std::wstring& word) const;
    void AddToFindHistory(const std::wstring& typed);
    void OnToggleTree();
    void OnHelp();
    void OnVersion();
    void OnSettings();  // settings_command.cpp

    // The list following its folder (folder_follow.cpp). While a name is
    // edited in the list, changes wait until the edit ends.
    static constexpr UINT kFollowIntervalMs = 500;  // at most two updates a second
    void FollowFolder(bool catchUp);                // the folder listed last, when the option is on
    // A watch made before its folder is scanned reports what changes during
    // the scan; nothing when the option is off.
    std::unique_ptr<FolderWatch> WatchFolder(const std::wstring& folder, bool clientFolder, bool catchUp);
    void FollowFolder(std::unique_ptr<FolderWatch> watch);
    void StopFollowing();
    void OnFolderChanged();
    void OnFollowTimer();
    void ApplyFolderChanges();
    void OnToggleAutoRefresh();
    DummyDisplay ListDummyDisplay() const;
    std::unique_ptr<UiQueue> uiQueue_;  // made with the controls, gone with the window
    std::unique_ptr<FolderWatch> folderWatch_;
    std::wstring listedFolder_;  // the folder the rows are of; empty when none
    bool listedClientFolder_ = false;
    bool folderGoneShown_ = false;  // the status bar says the listed folder is gone
    SizeTally sizeTally_;
    std::optional<std::wstring> findWord_;  // the word the rows are marked against

    // Layout (layout.cpp)
    WindowMetrics Metrics() const;
    void PlaceFindBar();
    void ApplyPanes(const PaneLayout& next);
    void PlacePanes();
    void PlaceStatusParts();
    void OnResize();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnSplitterDown() override;
    void OnSplitterMove(int xPixels) override;
    void OnSplitterUp() override;

    // Drag and drop (drag_drop.cpp): the drop targets and the keys of the
    // last press on the list. Shared only so that its deleter is made where
    // the type is complete.
    struct DragDrop;
    std::shared_ptr<DragDrop> dragDrop_;
    ComPtr<IDataObject> clipboardData_;  // our last cut or copy (clipboard.cpp)
    // A press on a selected row also starts the list's timer for editing its
    // name, which some list controls (Wine's) let run into the drag.
    bool listDragging_ = false;
    void SetUpDragDrop();
    void TearDownDragDrop();
    void OnBeginDrag(int row) override;

    AppContext& app_;
    const RewriteFaults* rewriteFaults_;
    UINT dpi_ = 96;
    HMENU menu_ = nullptr;  // owned by the window
    UniqueAccel accelerators_;
    UniqueFont font_;
    std::unique_ptr<Splitter> splitter_;
    PaneLayout panes_;
    TwipRect dragBar_{0, 0, 135, 6735};
    bool SplitterDragging = false;
    bool quitOnDestroy_ = false;
    bool storedForSessionEnd_ = false;  // the window state is stored for a logoff or shut-down under way
    std::vector<std::unique_ptr<FolderNode>> nodes_;
    int nodeCounter_ = 0;
    HTREEITEM selectionAtMouseDown_ = nullptr;
    bool labelEditing_ = false;
    std::wstring editingName_;  // the file whose name is edited in the list
    POINT mouseDownAt_{};  // where the last button went down on the tree
    HWND cboFind_ = nullptr;
    HWND cmdFind_ = nullptr;
    HWND cmdDelFind_ = nullptr;
    HWND cmdCls_ = nullptr;
    HWND cmdRefresh_ = nullptr;
    HWND TVDir_ = nullptr;
    HWND SBMain_ = nullptr;
    ListView fileList_{*this};
    COLORREF findHighlightColor_ = 0;
    std::vector<FileRow> rows_;
    ListColors colors_;
    LocaleTextFormat format_;
    LocaleCollator collator_;
    bool sortedDescending_ = false;
};

}  // namespace orvane
