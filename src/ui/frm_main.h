// The main window: it creates the find bar, the folder tree, the splitter,
// the file list and the status bar, the menus and the keys, and routes
// commands and messages to the classes that own each concern.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "core/pane_layout.h"
#include "platform/handles.h"
#include "platform/registered_folders_file.h"
#include "platform/settings_store.h"
#include "platform/shell_ui.h"
#include "platform/ui_queue.h"
#include "platform/window.h"
#include "ui/drag_drop.h"
#include "ui/file_commands.h"
#include "ui/file_list_panel.h"
#include "ui/find_bar.h"
#include "ui/folder_tree.h"
#include "ui/program_dialogs.h"
#include "ui/splitter.h"

namespace orvane {

// What the main window needs from the running program.
struct AppContext {
    SettingsStore& settings;     // the one owner of the settings in memory
    std::wstring programFolder;  // ends with a backslash
    ShellUi& shell;
    ProgramDialogs& dialogs;
};

inline constexpr wchar_t kHelpFileName[] = L"RORUDIZ031.HLP";
inline constexpr wchar_t kHelpPageName[] = L"OrvaneHelp.html";

class Frm_Main final : public Window, private FolderTreeListener, private FileListListener, private SplitterDelegate {
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

    // The parts of the window, each the owner of its state.
    FolderTree& Tree() { return tree_; }
    FileListPanel& List() { return list_; }
    const FileListPanel& List() const { return list_; }
    FindBar& Finder() { return findBar_; }
    FileCommands& Commands() { return commands_; }
    DragDrop& Drag() { return *dragDrop_; }

    HWND cboFind() const { return findBar_.cboFind(); }
    HWND cmdFind() const { return findBar_.cmdFind(); }
    HWND cmdDelFind() const { return findBar_.cmdDelFind(); }
    HWND cmdCls() const { return findBar_.cmdCls(); }
    HWND cmdRefresh() const { return findBar_.cmdRefresh(); }
    HWND TVDir() const { return tree_.TVDir(); }
    HWND imgSplitter() const;
    HWND picSplitter() const;
    HWND LVList() const { return list_.LVList(); }
    HWND SBMain() const { return SBMain_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id);
    const Settings& settings() const { return app_.settings.Get(); }

    void CreateMenus();
    void CreateControls();
    void OnQueryUnload();
    void OnToggleTree();
    void OnToggleAutoRefresh();
    void OnHelp();
    void OnSettings();
    void OnSystemColors();
    void FollowSystemColors();

    // What the tree and the list tell the window.
    void OnFolderChosen(const std::wstring& folder, bool clientFolder) override;
    void OnFolderPointed(const std::optional<std::wstring>& folder) override;
    void OnPasteInto(const std::wstring& folder) override;
    void OnListCommand(int command) override;
    void OnListMenu(POINT screen) override;
    void OnListDrag() override;
    std::optional<std::wstring> OnListRename(const std::wstring& folder, const std::wstring& name,
                                             const std::wstring& typed) override;

    // Layout (frm_main_layout.cpp).
    WindowMetrics Metrics() const;
    void ApplyPanes(const PaneLayout& next);
    void PlacePanes();
    void PlaceStatusParts();
    void OnResize();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnSplitterDown() override;
    void OnSplitterMove(int xPixels) override;
    void OnSplitterUp() override;

    AppContext& app_;
    UiQueue uiQueue_;  // before the parts that hand work to it
    FolderTree tree_;
    FileListPanel list_;
    FindBar findBar_{app_.settings, list_};
    FileCommands commands_;
    std::unique_ptr<DragDrop> dragDrop_;
    HWND SBMain_ = nullptr;
    UINT dpi_ = 96;
    HMENU menu_ = nullptr;  // owned by the window
    UniqueAccel accelerators_;
    UniqueFont font_;
    std::unique_ptr<Splitter> splitter_;
    PaneLayout panes_;
    TwipRect dragBar_{0, 0, 135, 6735};
    bool SplitterDragging = false;
    HWND focusWhenInactive_ = nullptr;  // the control with the keyboard as the window lost it
    bool quitOnDestroy_ = false;
    bool storedForSessionEnd_ = false;  // the window state is stored for a logoff or shut-down under way
};

}  // namespace orvane
