#include "ui/frm_main.h"

#include <commctrl.h>

#include <algorithm>

#include "core/text.h"
#include "ui/appearance.h"
#include "ui/commands.h"
#include "ui/splitter.h"
#include "res/resource.h"
#include "platform/controls.h"
#include "platform/dpi.h"
#include "platform/paths.h"

namespace orvane {

namespace {

constexpr wchar_t kClassName[] = L"Orvane.Main";

void AppendItem(HMENU menu, UINT id, const wchar_t* text) { AppendMenuW(menu, MF_STRING, id, text); }
std::vector<int> VisibleColumnWidths(std::vector<int> widths);

}  // namespace

Frm_Main::Frm_Main(AppContext& app, const RewriteFaults* faults) : app_(app), rewriteFaults_(faults) {}

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

    // The load sequence.
    LoadSettings();
    findHighlightColor_ = RGB(255, 80, 0);
    UpdateListColors();
    ApplyListAppearance(fileList_, settings(), app_.programFolder);
    ApplyTranslucency(hwnd(), settings());
    ApplyStoredPosition();
    SetUpColumns();
    LoadFindHistory();
    BuildFolderTree();
    const std::wstring clientFolder = ClientFolder();
    if (!Trimmed(clientFolder).empty() && FileExists(clientFolder)) {
        ListFolder(WithTrailingBackslash(clientFolder), true);  // as the tree's root names it
        // The client's folder exists: the tree is shown whatever was stored.
        menu::SetChecked(menu_, kCmdToggleTree, true);
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

bool Frm_Main::EditingLabel() const { return treeview::EditingLabel(TVDir()) || fileList_.EditingLabel(); }

bool Frm_Main::TranslateAccelerators(MSG& msg) {
    if (!hwnd()) return false;
    // Enter in the find field finds; the dialog keys would take it otherwise.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN &&
        (msg.hwnd == cboFind() || GetParent(msg.hwnd) == cboFind())) {
        OnCommand(kCmdFind);
        return true;
    }
    // On the list, Enter opens and Alt+Enter shows the properties; the
    // dialog keys would take Enter otherwise.
    if (msg.hwnd == LVList() && msg.wParam == VK_RETURN && !fileList_.EditingLabel()) {
        if (msg.message == WM_KEYDOWN) {
            OnCommand(kCmdOpen);
            return true;
        }
        if (msg.message == WM_SYSKEYDOWN) {
            OnCommand(kCmdProperties);
            return true;
        }
    }
    return TranslateAcceleratorW(hwnd(), accelerators_.get(), &msg);
}

// Its own visibility, whether or not the window is shown yet.
bool Frm_Main::TreeVisible() const { return TVDir() && (GetWindowLongPtrW(TVDir(), GWL_STYLE) & WS_VISIBLE); }

const FolderNode* Frm_Main::NodeOf(HTREEITEM item) const {
    return item ? reinterpret_cast<const FolderNode*>(treeview::Data(TVDir(), item)) : nullptr;
}

// A relative FILE_PATH belongs to the program's folder, not to wherever the
// program was started from.
std::wstring Frm_Main::ClientFolder() const { return ResolvedAgainst(app_.programFolder, settings().filePath); }

void Frm_Main::LoadSettings() {
    app_.settings.Load();
    menu::SetChecked(menu_, kCmdToggleTree, settings().refDirView);
    menu::SetChecked(menu_, kCmdAutoRefresh, settings().autoRefresh);
}

void Frm_Main::CreateMenus() {
    menu_ = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendItem(file, kCmdProperties, L"プロパティ");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendItem(file, kCmdEnd, L"終了");
    HMENU view = CreatePopupMenu();
    AppendItem(view, kCmdToggleTree, L"登録フォルダ");
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendItem(view, kCmdRefresh, L"最新の情報に更新\tF5");
    AppendItem(view, kCmdAutoRefresh, L"自動更新");
    HMENU options = CreatePopupMenu();
    AppendItem(options, kCmdSettings, L"オプション設定");
    HMENU help = CreatePopupMenu();
    AppendItem(help, kCmdHelp, L"ヘルプ\tF1");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendItem(help, kCmdVersion, L"バージョン");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"ファイル");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"表示");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(options), L"オプション");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"ヘルプ");

    ACCEL keys[] = {{FVIRTKEY, VK_F5, kCmdRefresh}, {FVIRTKEY, VK_F1, kCmdHelp}};
    accelerators_.reset(CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
}

void Frm_Main::CreateControls() {
    uiQueue_ = std::make_unique<UiQueue>();
    const HWND self = hwnd();
    cboFind_ = CreateChild(self, WC_COMBOBOXW, L"",
                           WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, kIdFindCombo);
    cmdFind_ = CreateChild(self, WC_BUTTONW, L"検索", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCmdFind);
    cmdDelFind_ = CreateChild(self, WC_BUTTONW, L"条件削除", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCmdDeleteFind);
    cmdCls_ = CreateChild(self, WC_BUTTONW, L"クリア", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCmdClearFind);
    cmdRefresh_ = CreateChild(self, WC_BUTTONW, L"更新", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCmdRefresh);
    TVDir_ = CreateChild(
        self, WC_TREEVIEWW, L"",
        WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_EDITLABELS,
        kIdTree, WS_EX_CLIENTEDGE);
    SetWindowSubclass(TVDir(), TreeProc, 1, reinterpret_cast<DWORD_PTR>(this));
    splitter_ = std::make_unique<Splitter>(hwnd(), static_cast<SplitterDelegate&>(*this));
    fileList_.Create(self, kIdList);
    SetUpDragDrop();
    SBMain_ = CreateChild(self, STATUSCLASSNAMEW, L"", WS_VISIBLE | SBARS_SIZEGRIP, kIdStatus);

    font_ = CreateUiFont(dpi_);
    SetFontOnChildren(self, font_.get());
    PlaceFindBar();
    PlacePanes();
    PlaceStatusParts();
    HookFindField();
}

void Frm_Main::SetUpColumns() {
    std::optional<std::vector<int>> stored = StoredColumnWidths(settings().columnWidths, FileColumns().size());
    if (stored) stored = VisibleColumnWidths(*stored);
    std::vector<ListView::ColumnDef> columns;
    for (std::size_t i = 0; i < FileColumns().size(); ++i) {
        const FileColumn& column = FileColumns()[i];
        columns.push_back({column.caption, TwipsToPixels(stored ? (*stored)[i] : column.widthTwips, dpi_),
                           column.align == ColumnAlign::Right ? listview::Align::Right : listview::Align::Left});
    }
    fileList_.SetColumns(columns);
}

void Frm_Main::LoadFindHistory() {
    for (int k = 1;; ++k) {
        // As Find keeps words: a hand-made " abc " is the word abc.
        const std::wstring word = StableProfileValue(app_.settings.FindWord(static_cast<std::size_t>(k)));
        if (word.empty()) break;
        combobox::Append(cboFind(), word);
    }
}

namespace {

// The smallest stored window (twips) that still shows the whole find bar,
// the tree and a few rows; anything smaller is a slip, not a choice.
constexpr int kSmallestStoredWidth = 8000;
constexpr int kSmallestStoredHeight = 3600;
// A column narrower than this shows nothing of its text.
constexpr int kNarrowestStoredColumn = 150;

std::optional<int> StoredSide(const std::wstring& text, int smallest) {
    const std::optional<int> twips = text.empty() ? std::nullopt : ToTwips(text);
    return twips && *twips >= smallest ? twips : std::nullopt;
}

// A list with no column wide enough to see gets the designed widths back;
// one column closed up among others is the user's choice and stays.
std::vector<int> VisibleColumnWidths(std::vector<int> widths) {
    if (std::any_of(widths.begin(), widths.end(), [](int width) { return width >= kNarrowestStoredColumn; }))
        return widths;
    for (std::size_t i = 0; i < widths.size() && i < FileColumns().size(); ++i) widths[i] = FileColumns()[i].widthTwips;
    return widths;
}

}  // namespace

void Frm_Main::ApplyStoredPosition() {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    const auto twips = [](const std::wstring& text) { return text.empty() ? std::nullopt : ToTwips(text); };
    const int dpi = static_cast<int>(SystemDpi());
    const int minWidth = TwipsToPixels(layout::kMinWindowWidth, dpi);
    const int minHeight = TwipsToPixels(layout::kMinWindowHeight, dpi);
    // A side stored too small keeps the size the window was made with.
    const ScreenRect sized = StoredWindowSize(StoredSide(settings().width, kSmallestStoredWidth),
                                              StoredSide(settings().height, kSmallestStoredHeight),
                                              {r.left, r.top, r.right, r.bottom}, dpi, minWidth, minHeight);
    ScreenRect place = StoredWindowPlace(twips(settings().left), twips(settings().top), sized, dpi);
    // A place off every screen (a monitor gone, a hand-edited file) comes
    // back onto the nearest monitor, and a size larger than it shrinks to it.
    const RECT wanted{place.left, place.top, place.right, place.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const ScreenRect work{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
        place = KeptOnWorkArea(FittedToWorkArea(place, work, minWidth, minHeight), work);
    }
    SetWindowPos(hwnd(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (const std::optional<int> splitter = twips(settings().splitter)) panes_.splitter.left = *splitter;
}

void Frm_Main::OnQueryUnload() {
    const bool treeShown = menu::IsChecked(menu_, kCmdToggleTree);
    app_.settings.Change({SettingKey::RefDirView}, [&](Settings& s) { s.refDirView = treeShown; });
    RECT r{};
    GetWindowRect(hwnd(), &r);
    const UINT dpi = SystemDpi();
    const int left = PixelsToTwips(r.left, dpi);
    const int top = PixelsToTwips(r.top, dpi);
    // An edge at 0 (or beyond, on a monitor left of the main one) is not stored.
    if (left > 0) {
        app_.settings.Change({SettingKey::Left}, [&](Settings& s) { s.left = std::to_wstring(left); });
    }
    if (top > 0) {
        app_.settings.Change({SettingKey::Top}, [&](Settings& s) { s.top = std::to_wstring(top); });
    }
    StoreWindowState();
}

void Frm_Main::StoreWindowState() {
    // The size the window has when not maximised, so that it comes back
    // maximised and restores to where the user had it.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(hwnd(), &placement)) return;
    const UINT dpi = SystemDpi();
    const RECT& normal = placement.rcNormalPosition;
    // Only what the next start would take is written; a window shrunk below
    // that leaves the size stored before.
    const int width = PixelsToTwips(normal.right - normal.left, dpi);
    const int height = PixelsToTwips(normal.bottom - normal.top, dpi);
    if (width >= kSmallestStoredWidth) {
        app_.settings.Change({SettingKey::Width}, [&](Settings& s) { s.width = std::to_wstring(width); });
    }
    if (height >= kSmallestStoredHeight) {
        app_.settings.Change({SettingKey::Height}, [&](Settings& s) { s.height = std::to_wstring(height); });
    }
    std::vector<int> widths;
    for (int i = 0; i < kColumnCount; ++i) widths.push_back(PixelsToTwips(listview::ColumnWidth(LVList(), i), dpi_));
    app_.settings.Change({SettingKey::Maximized, SettingKey::Splitter, SettingKey::ColumnWidths}, [&](Settings& s) {
        s.maximized = IsZoomed(hwnd()) ? 1 : 0;
        s.splitter = std::to_wstring(panes_.splitter.left);
        s.columnWidths = ColumnWidthsText(VisibleColumnWidths(widths));
    });
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

void Frm_Main::OnVersion() { app_.dialogs.ShowVersion(hwnd()); }

void Frm_Main::OnCommand(int id) {
    switch (id) {
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
        OnVersion();
        break;
    case kCmdSettings:
        OnSettings();
        break;
    case kCmdRefresh:
        RefreshCommand();
        break;
    case kCmdRefAdd:
    case kCmdRefMod:
    case kCmdRefDel:
    case kCmdExplorer:
        OnTreeCommand(id, treeview::Selection(TVDir()));
        break;
    case kCmdMove:
        MoveOrCopySelected(FO_MOVE);
        break;
    case kCmdCopy:
        MoveOrCopySelected(FO_COPY);
        break;
    case kCmdFind:
        OnFind();
        break;
    case kCmdDeleteFind:
        OnDeleteFind();
        break;
    case kCmdClearFind:
        OnClearFind();
        break;
    case kCmdRename:
        OnRename();
        break;
    case kCmdDelete:
        OnDelete();
        break;
    case kCmdOpen:
        OnOpen();
        break;
    case kCmdProperties:
        OnProperties();
        break;
    case kCmdCut:
    case kCmdCopyToClipboard:
        CutOrCopySelected(id == kCmdCut);
        break;
    case kCmdPaste:
        PasteFiles();
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
        if (fileList_.OnNotify(*header, result)) return result;
        if (header->hwndFrom == TVDir() && OnTreeNotify(header, result)) return result;
        return Window::HandleMessage(message, wParam, lParam);
    }
    case kFocusListMessage:
        SetFocus(LVList());
        return 0;
    case kCutPastedMessage:
        DropRowsWhoseFilesLeft();
        return 0;
    case WM_CONTEXTMENU:
        // From the keyboard (Shift+F10): the list's menu at its focused row.
        if (reinterpret_cast<HWND>(wParam) == LVList() && lParam == -1) {
            ShowFileMenu(fileList_.MenuPoint(fileList_.FocusedRow()));
            return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
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
        StopFollowing();
        TearDownDragDrop();
        uiQueue_.reset();  // what workers still hand in is dropped
        if (quitOnDestroy_) PostQuitMessage(0);
        return 0;
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace orvane
