#include "ui/frm_main.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "core/text.h"
#include "core/version_text.h"
#include "platform/controls.h"
#include "platform/dpi.h"
#include "platform/paths.h"
#include "res/resource.h"
#include "ui/appearance.h"
#include "ui/commands.h"
#include "ui/window_state.h"

namespace orvane {

namespace {

constexpr wchar_t kClassName[] = L"Orvane.Main";

void AppendItem(HMENU menu, UINT id, const wchar_t* text) { AppendMenuW(menu, MF_STRING, id, text); }

}  // namespace

Frm_Main::Frm_Main(AppContext& app, const RewriteFaults* faults)
    : app_(app),
      tree_({app.programFolder, app.settings, app.shell, app.dialogs, faults}, *this),
      list_({app.programFolder, app.settings, app.shell, uiQueue_}, *this),
      commands_(app.settings, app.shell, uiQueue_, list_, [this] { return tree_.RegisteredNodes(); }) {}

Frm_Main::~Frm_Main() = default;

void Frm_Main::Load() {
    const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP));
    Register(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, icon);
    CreateMenus();
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    dpi_ = DpiOf(nullptr);
    SIZE outer = OuterSizeForClient(TwipsToPixels(layout::kDesignClientWidth, dpi_),
                                    TwipsToPixels(layout::kDesignClientHeight, dpi_), style, 0, true, dpi_);
    CreateAs(kClassName, kAppTitle, style, WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy,
             nullptr, menu_);
    if (const UINT windowDpi = DpiOf(hwnd()); windowDpi != dpi_) {
        dpi_ = windowDpi;
        outer = OuterSizeForClient(TwipsToPixels(layout::kDesignClientWidth, dpi_),
                                   TwipsToPixels(layout::kDesignClientHeight, dpi_), style, 0, true, dpi_);
        SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CreateControls();
    // Rows cut to the clipboard are dimmed until it holds something else.
    AddClipboardFormatListener(hwnd());
    FollowSystemColors();

    // The load sequence.
    app_.settings.Load();
    menu::SetChecked(menu_, kCmdToggleTree, settings().refDirView);
    menu::SetChecked(menu_, kCmdAutoRefresh, settings().autoRefresh);
    list_.ApplyLook();
    ApplyTranslucency(hwnd(), settings());
    ApplyStoredPlacement(hwnd(), settings(), panes_);
    list_.SetUpColumns(dpi_);
    findBar_.LoadHistory();
    tree_.Build();
    const std::wstring clientFolder = list_.ClientFolder();
    const bool clientFolderThere = !Trimmed(clientFolder).empty() && FileExists(clientFolder);
    // The client's folder exists: the tree is shown whatever was stored.
    if (clientFolderThere) menu::SetChecked(menu_, kCmdToggleTree, true);
    // The folder shown at closing comes back while its registration and
    // its folder are there; else the client's, as the tree's root names it.
    if (const std::optional<std::wstring> shown = tree_.SelectNamePath(settings().shownFolder)) {
        list_.ListFolder(*shown, false);
    } else if (clientFolderThere) {
        list_.ListFolder(WithTrailingBackslash(clientFolder), true);
    }
}

void Frm_Main::Show(int showCommand) {
    // Any stored number but 0 was meant as maximised: 1 is what we write,
    // and a hand-edited 2 or -1 says no less.
    if (showCommand == SW_SHOWNORMAL && settings().maximized != 0) showCommand = SW_SHOWMAXIMIZED;
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    ShowWindow(TVDir(), menu::IsChecked(menu_, kCmdToggleTree) ? SW_SHOW : SW_HIDE);
    double x = panes_.splitter.left;
    SizeControls(x);
}

bool Frm_Main::EditingLabel() const { return tree_.EditingLabel() || list_.EditingLabel(); }

bool Frm_Main::TranslateAccelerators(MSG& msg) {
    if (!hwnd()) return false;
    // In a field of text (the find field, a name edited in place) Ctrl+Z
    // undoes the typing.
    if (msg.message == WM_KEYDOWN && msg.wParam == 'Z') {
        wchar_t className[16] = {};
        GetClassNameW(msg.hwnd, className, static_cast<int>(std::size(className)));
        if (lstrcmpiW(className, L"Edit") == 0) return false;
    }
    // Enter in the find field finds; the dialog keys would take it otherwise.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && findBar_.IsFromField(msg.hwnd)) {
        OnCommand(kCmdFind);
        return true;
    }
    // On the list, Enter opens and Alt+Enter shows the properties; the
    // dialog keys would take Enter otherwise.
    if (msg.hwnd == LVList() && msg.wParam == VK_RETURN && !list_.EditingLabel()) {
        if (msg.message == WM_KEYDOWN) {
            OnCommand(kCmdOpen);
            return true;
        }
        if (msg.message == WM_SYSKEYDOWN) {
            OnCommand(kCmdProperties);
            // The window still sees the key, untranslated (no character, no
            // beep): else Alt let go would seem pressed alone and open the
            // menu bar.
            DispatchMessageW(&msg);
            return true;
        }
    }
    return TranslateAcceleratorW(hwnd(), accelerators_.get(), &msg);
}

// Its own visibility, whether or not the window is shown yet.
bool Frm_Main::TreeVisible() const { return TVDir() && (GetWindowLongPtrW(TVDir(), GWL_STYLE) & WS_VISIBLE); }

void Frm_Main::CreateMenus() {
    // Each key follows a full-width blank: Wine measures Japanese captions
    // short of what it draws, and would run the key into the longest.
    menu_ = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING | MF_GRAYED, kCmdUndo, UndoLog().MenuCaption().c_str());
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendItem(file, kCmdProperties, L"プロパティ(&R)　\tAlt+Enter");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendItem(file, kCmdEnd, L"終了(&X)");
    HMENU view = CreatePopupMenu();
    AppendItem(view, kCmdToggleTree, L"登録フォルダ(&T)");
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendItem(view, kCmdRefresh, L"最新の情報に更新(&R)　\tF5");
    AppendItem(view, kCmdAutoRefresh, L"自動更新(&A)");
    HMENU options = CreatePopupMenu();
    AppendItem(options, kCmdSettings, L"オプション設定(&O)…");
    HMENU help = CreatePopupMenu();
    AppendItem(help, kCmdHelp, L"ヘルプ(&H)　\tF1");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendItem(help, kCmdVersion, L"バージョン(&A)");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"ファイル(&F)");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"表示(&V)");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(options), L"オプション(&O)");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"ヘルプ(&H)");

    ACCEL keys[] = {{FVIRTKEY, VK_F5, kCmdRefresh},
                    {FVIRTKEY, VK_F1, kCmdHelp},
                    {FVIRTKEY, VK_F3, kCmdFindNext},
                    {FVIRTKEY | FSHIFT, VK_F3, kCmdFindPrevious},
                    {FVIRTKEY | FCONTROL, 'F', kCmdFocusFind},
                    {FVIRTKEY | FCONTROL, 'Z', kCmdUndo}};
    accelerators_.reset(CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
}

void Frm_Main::CreateControls() {
    const HWND self = hwnd();
    // In the tab order: the find bar, the tree, the list.
    findBar_.Create(self);
    tree_.Create(self, kIdTree);
    splitter_ = std::make_unique<Splitter>(self, static_cast<SplitterDelegate&>(*this));
    list_.Create(self, kIdList);
    SBMain_ = CreateChild(self, STATUSCLASSNAMEW, L"", WS_VISIBLE | SBARS_SIZEGRIP, kIdStatus);
    list_.SetStatusBar(SBMain_);
    dragDrop_ = std::make_unique<DragDrop>(app_.shell, list_, tree_, SBMain_, commands_.History());

    font_ = CreateUiFont(dpi_);
    SetFontOnChildren(self, font_.get());
    findBar_.Place(dpi_);
    PlacePanes();
    PlaceStatusParts();
}

void Frm_Main::OnQueryUnload() {
    const bool treeShown = menu::IsChecked(menu_, kCmdToggleTree);
    app_.settings.Change({SettingKey::RefDirView}, [&](Settings& s) { s.refDirView = treeShown; });
    StoreWindowPlace(hwnd(), app_.settings);
    std::vector<int> widths;
    for (int i = 0; i < kColumnCount; ++i) widths.push_back(PixelsToTwips(listview::ColumnWidth(LVList(), i), dpi_));
    StoreWindowState(hwnd(), app_.settings, panes_.splitter.left, widths);
    const std::wstring shown = tree_.SelectedNamePath();
    app_.settings.Change({SettingKey::ShownFolder}, [&](Settings& s) { s.shownFolder = shown; });
}

void Frm_Main::OnToggleTree() {
    const bool show = !menu::IsChecked(menu_, kCmdToggleTree);
    menu::SetChecked(menu_, kCmdToggleTree, show);
    ShowWindow(TVDir(), show ? SW_SHOW : SW_HIDE);
    double x = panes_.splitter.left;
    SizeControls(x);
}

void Frm_Main::OnHelp() {
    // The classic help file where one lies beside the program, otherwise the
    // HTML help page that ships with it.
    std::wstring file = app_.programFolder + kHelpFileName;
    if (!FileExists(file)) file = app_.programFolder + kHelpPageName;
    app_.shell.Open(hwnd(), file, app_.programFolder);
}

void Frm_Main::OnToggleAutoRefresh() {
    // The list hears of the change and follows its folder, or stops.
    app_.settings.Change({SettingKey::AutoRefresh}, [](Settings& s) { s.autoRefresh = !s.autoRefresh; });
    menu::SetChecked(menu_, kCmdAutoRefresh, settings().autoRefresh);
}

// The settings dialog, then the tree's root, the list's look and the window's
// translucency brought up to date, and the list refilled, whether the dialog
// was confirmed or cancelled.
void Frm_Main::OnSettings() {
    app_.dialogs.EditSettings(hwnd(), app_.settings);
    tree_.RootFollowsClientFolder();
    list_.ApplyLook();
    ApplyTranslucency(hwnd(), settings());
    tree_.ChooseSelected();
}

// Under high contrast the controls drawn by visual styles draw with the
// system's colours alone.
void Frm_Main::FollowSystemColors() {
    for (const HWND control :
         {ListView_GetHeader(LVList()), SBMain(), TVDir(), cmdFind(), cmdDelFind(), cmdCls(), cmdRefresh()})
        FollowHighContrast(control);
}

// The system's colours or high contrast changed: the controls hear of it,
// and the program's own colours give way to the system's or come back.
void Frm_Main::OnSystemColors() {
    for (const HWND control : {LVList(), ListView_GetHeader(LVList()), TVDir(), SBMain()})
        if (control) SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
    FollowSystemColors();
    list_.ApplyLook();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void Frm_Main::OnFolderChosen(const std::wstring& folder, bool clientFolder) { list_.Show(folder, clientFolder); }

void Frm_Main::OnFolderPointed(const std::optional<std::wstring>& folder) {
    if (folder)
        statusbar::SetText(SBMain(), 0, *folder);
    else
        list_.ShowListedFolder();
}

void Frm_Main::OnPasteInto(const std::wstring& folder) { commands_.PasteInto(folder); }

void Frm_Main::OnListCommand(int command) { OnCommand(command); }

void Frm_Main::OnListMenu(POINT screen) { commands_.ShowMenu(screen); }

void Frm_Main::OnListDrag() {
    if (dragDrop_) dragDrop_->DragFromList();
}

std::optional<std::wstring> Frm_Main::OnListRename(const std::wstring& folder, const std::wstring& name,
                                                   const std::wstring& typed) {
    return commands_.Rename(folder, name, typed);
}

void Frm_Main::OnCommand(int id) {
    if (findBar_.OnCommand(id)) {
        // A find from the field goes on to its first match after the focused row.
        if (id == kCmdFind) list_.GoToMatch(true);
        return;
    }
    if (commands_.OnCommand(id)) return;
    switch (id) {
    case kCmdFindNext:
    case kCmdFindPrevious:
        // Without a find on, F3 asks for a word, as Ctrl+F does.
        if (!list_.GoToMatch(id == kCmdFindNext)) findBar_.FocusField();
        break;
    case kCmdFocusFind:
        findBar_.FocusField();
        break;
    case kCmdParentFolder:
        // Up one level, as the file window's Backspace goes: the registration
        // the shown one lies below, up to the root.
        if (const HTREEITEM shown = treeview::Selection(TVDir()))
            if (const HTREEITEM above = treeview::Parent(TVDir(), shown)) {
                treeview::Select(TVDir(), above);
                tree_.ChooseSelected();
            }
        break;
    case kCmdEnd:
        // Ends at once: nothing is saved.
        DestroyWindow(hwnd());
        break;
    case kCmdToggleTree:
        OnToggleTree();
        break;
    case kCmdHelp:
        OnHelp();
        break;
    case kCmdVersion:
        app_.dialogs.ShowVersion(hwnd());
        break;
    case kCmdSettings:
        OnSettings();
        break;
    case kCmdRefresh:
        tree_.ChooseSelected();
        break;
    case kCmdRefAdd:
    case kCmdRefMod:
    case kCmdRefDel:
    case kCmdExplorer:
        tree_.OnCommand(id);
        break;
    case kCmdAutoRefresh:
        OnToggleAutoRefresh();
        break;
    default:
        break;  // commands of features still to come
    }
}

LRESULT Frm_Main::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
        return 0;
    case WM_SIZE:
        if (SBMain()) SendMessageW(SBMain(), WM_SIZE, 0, 0);
        PlaceStatusParts();
        if (wParam != SIZE_MINIMIZED) OnResize();
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        if (list_.View().OnNotify(*header, result)) return result;
        if (tree_.OnNotify(header, result)) return result;
        return Window::HandleMessage(message, wParam, lParam);
    }
    case WM_CONTEXTMENU:
        // From the keyboard (Shift+F10): the list's menu at its focused row.
        if (reinterpret_cast<HWND>(wParam) == LVList() && lParam == -1) {
            commands_.ShowMenu(list_.View().MenuPoint(list_.View().FocusedRow()));
            return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST) OnSystemColors();
        return Window::HandleMessage(message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        OnSystemColors();
        return 0;
    case WM_ACTIVATE:
        // The keyboard comes back to the control that had it when a dialog,
        // a message box or another program took it away.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focused = GetFocus();
            focusWhenInactive_ = focused && IsChild(hwnd(), focused) ? focused : nullptr;
            return 0;
        }
        if (focusWhenInactive_ && IsWindow(focusWhenInactive_) && IsWindowVisible(focusWhenInactive_) &&
            !HIWORD(wParam)) {
            SetFocus(focusWhenInactive_);
            return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
    case WM_CLIPBOARDUPDATE:
        commands_.OnClipboardChanged();
        return 0;
    case WM_INITMENUPOPUP:
        // The ファイル menu says what 元に戻す would undo.
        if (reinterpret_cast<HMENU>(wParam) == GetSubMenu(menu_, 0)) {
            const UndoLog& undo = commands_.History();
            ModifyMenuW(menu_, kCmdUndo, MF_BYCOMMAND | MF_STRING | (undo.Empty() ? MF_GRAYED : MF_ENABLED),
                        kCmdUndo, undo.MenuCaption().c_str());
        }
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_QUERYENDSESSION:
        // Logging off or shutting down stores what closing stores, once for
        // the whole ending, however the system goes on after this.
        if (!storedForSessionEnd_) OnQueryUnload();
        storedForSessionEnd_ = true;
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && !storedForSessionEnd_) OnQueryUnload();
        storedForSessionEnd_ = wParam != FALSE;  // cancelled: a later closing stores again
        return 0;
    case WM_CLOSE:
        if (!storedForSessionEnd_) OnQueryUnload();
        DestroyWindow(hwnd());
        return 0;
    case WM_DESTROY:
        RemoveClipboardFormatListener(hwnd());
        list_.StopFollowing();
        commands_.LeaveClipboard();
        dragDrop_.reset();
        if (quitOnDestroy_) PostQuitMessage(0);
        return 0;
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace orvane
