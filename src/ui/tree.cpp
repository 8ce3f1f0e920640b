// The tree of registered folders: built from the data file, answering
// clicks, hovering, its pop-up menu and in-place renaming, and the refresh
// command that lists the selected node's folder.
#include "ui/frm_main.h"

#include "core/text.h"
#include "ui/commands.h"
#include "platform/registered_folders_file.h"
#include "platform/controls.h"
#include "platform/handles.h"
#include "platform/paths.h"
#include "platform/code_page.h"

#include <utility>

namespace orvane {

namespace {

constexpr wchar_t kRefusedComma[] = L"登録名とフォルダに「,」は使えません。";
constexpr wchar_t kRefusedCharacters[] = L"登録名またはフォルダに、保存できない文字が含まれています。";
constexpr wchar_t kRewriteFailed[] = L"登録フォルダの保存に失敗しました。変更は行われていません。";
constexpr wchar_t kRefusedSibling[] = L"同じ階層に同じ登録名があります。";
constexpr wchar_t kRefusedDepth[] = L"これより深い階層にはフォルダを登録できません。";
constexpr wchar_t kNoFolder[] = L"フォルダが存在しません。";

// One command-line argument in quotes, so that spaces stay inside it; the
// backslashes before the closing quote are doubled so that they stay
// backslashes and do not escape the quote.
std::wstring Quoted(const std::wstring& text) {
    std::size_t trailing = 0;
    while (trailing < text.size() && text[text.size() - 1 - trailing] == L'\\') ++trailing;
    return L"\"" + text + std::wstring(trailing, L'\\') + L"\"";
}

}  // namespace

FolderNode* Frm_Main::NewNode(const std::wstring& caption, const std::wstring& folder) {
    auto node = std::make_unique<FolderNode>(FolderNode{caption + L"\\\\\\" + std::to_wstring(nodeCounter_++), folder});
    nodes_.push_back(std::move(node));
    return nodes_.back().get();
}

void Frm_Main::BuildFolderTree() {
    treeview::DeleteAll(TVDir());
    nodes_.clear();
    nodeCounter_ = 0;
    auto root = std::make_unique<FolderNode>(FolderNode{kRootKey, WithTrailingBackslash(ClientFolder())});
    const HTREEITEM rootItem = treeview::Insert(TVDir(), nullptr, kRootCaption, reinterpret_cast<LPARAM>(root.get()));
    FolderNode* rootNode = root.get();
    nodes_.push_back(std::move(root));

    if (const auto lines = ReadFolderFile(app_.programFolder)) {
        const FolderTreeModel model = ReadFolderLines(*lines);
        if (model.rootFolder) rootNode->folder = *model.rootFolder;
        std::vector<HTREEITEM> items;
        items.reserve(model.folders.size());
        for (const StoredFolder& stored : model.folders) {
            FolderNode* node = NewNode(stored.caption, stored.folder);
            const HTREEITEM parent = stored.parent < 0 ? rootItem : items[static_cast<std::size_t>(stored.parent)];
            items.push_back(treeview::Insert(TVDir(), parent, stored.caption, reinterpret_cast<LPARAM>(node)));
        }
        treeview::Expand(TVDir(), rootItem);
        for (HTREEITEM item : items) treeview::Expand(TVDir(), item);
    }
    // The list shows the selected node's folder: start on the root.
    treeview::Select(TVDir(), rootItem);
}

std::vector<std::wstring> Frm_Main::CaptionsTo(HTREEITEM item, bool includeItem) const {
    std::vector<std::wstring> captions;
    const HTREEITEM root = treeview::Root(TVDir());
    for (HTREEITEM at = includeItem ? item : treeview::Parent(TVDir(), item); at && at != root;
         at = treeview::Parent(TVDir(), at))
        captions.insert(captions.begin(), treeview::Text(TVDir(), at));
    return captions;
}

bool Frm_Main::IsRoot(HTREEITEM item) const {
    const FolderNode* node = NodeOf(item);
    return node && node->key == kRootKey;
}

bool Frm_Main::RefuseUnstorable(const std::wstring& name, const std::wstring& folder) {
    const wchar_t* reason = nullptr;
    if (!StorableName(name) || !StorableName(folder))
        reason = kRefusedComma;
    else if (!RepresentableInAnsi(name) || !RepresentableInAnsi(folder))
        reason = kRefusedCharacters;
    if (!reason) return false;
    app_.shell.Message(hwnd(), reason, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    return true;
}

// Two siblings of one caption would share their lines in the data file, and
// every later change of one would change both: a caption is refused where a
// sibling (other than the node itself) has it already, compared exactly as
// the data file's reading compares names.
bool Frm_Main::RefuseSiblingCaption(HTREEITEM parent, const std::wstring& caption, HTREEITEM self) {
    for (HTREEITEM child : treeview::Children(TVDir(), parent)) {
        if (child != self && treeview::Text(TVDir(), child) == caption) {
            app_.shell.Message(hwnd(), kRefusedSibling, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
            return true;
        }
    }
    return false;
}

bool Frm_Main::Rewrite(const std::function<LineChange(const std::wstring&)>& rule) {
    if (RewriteFolderFile(app_.programFolder, rule, rewriteFaults_ ? *rewriteFaults_ : RewriteFaults{})) return true;
    app_.shell.Message(hwnd(), kRewriteFailed, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void Frm_Main::RefreshCommand() {
    WaitCursor hourglass;
    const HTREEITEM selected = treeview::Selection(TVDir());
    const FolderNode* node = NodeOf(selected);
    if (!node || node->folder.empty() || !FileExists(node->folder)) {
        FileEntries.clear();
        ShowFileList();  // empty: the folder is gone
        ShowListedFolder();
        return;
    }
    ListFolder(node->folder, node->key == kRootKey);
}

void Frm_Main::OnNodeClick(HTREEITEM item) {
    if (!TreeLeftClick || !NodeOf(item)) return;
    RefreshCommand();  // the status bar names the folder listed
}

void Frm_Main::OnTreeMouseMove(POINT at) {
    // Off the nodes the panel names the folder the list shows.
    if (const FolderNode* node = NodeOf(treeview::HitTest(TVDir(), at)))
        statusbar::SetText(SBMain(), 0, node->folder);
    else
        ShowListedFolder();
}

void Frm_Main::OnTreeRightClick() {
    POINT screen = mouseDownAt_;
    ClientToScreen(TVDir(), &screen);
    const HTREEITEM item = treeview::HitTest(TVDir(), mouseDownAt_);
    if (!item) return;
    // The menu acts on the node right-clicked, highlighted while the menu is
    // open; the selection and the list stay as they are.
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, kCmdRefAdd, L"追加");
    AppendMenuW(menu.get(), MF_STRING, kCmdRefMod, L"変更");
    AppendMenuW(menu.get(), MF_STRING, kCmdRefDel, L"削除");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdExplorer, L"エクスプローラ");
    treeview::SetDropHighlight(TVDir(), item);
    const int command = static_cast<int>(TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                        screen.x, screen.y, 0, hwnd(), nullptr));
    treeview::SetDropHighlight(TVDir(), nullptr);
    OnTreeCommand(command, item);
}

void Frm_Main::OnTreeCommand(int command, HTREEITEM item) {
    if (!item) return;
    switch (command) {
    case kCmdRefAdd:
        OnRefAdd(item);
        break;
    case kCmdRefMod:
        OnRefMod(item);
        break;
    case kCmdRefDel:
        OnRefDel(item);
        break;
    case kCmdExplorer:
        OnExplorer(item);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK Frm_Main::TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Frm_Main*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        self->TreeLeftClick = message == WM_LBUTTONDOWN;
        self->selectionAtMouseDown_ = treeview::Selection(tree);
        self->mouseDownAt_ = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        break;
    case WM_MOUSEMOVE:
        self->OnTreeMouseMove(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        break;
    case WM_KEYDOWN:
        if (wParam == VK_F2) {  // rename from the keyboard, as in the shell
            if (const HTREEITEM item = treeview::Selection(tree)) treeview::StartLabelEdit(tree, item);
            return 0;
        }
        if (wParam == 'V' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
            // As in the shell: into the selected node's folder.
            self->PasteFilesInto(self->SelectedFolder());
            return 0;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(tree, message, wParam, lParam);
}

bool Frm_Main::OnTreeNotify(NMHDR* header, LRESULT& result) {
    switch (header->code) {
    case TVN_SELCHANGEDW:
        OnNodeClick(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem);
        result = 0;
        return true;
    case NM_CLICK: {
        // A click on the node that was selected already lists it again.
        const HTREEITEM item = treeview::HitTest(TVDir(), mouseDownAt_);
        if (item && item == selectionAtMouseDown_ && item == treeview::Selection(TVDir())) OnNodeClick(item);
        result = 0;
        return true;
    }
    case NM_RCLICK:
        OnTreeRightClick();
        result = TRUE;
        return true;
    case TVN_BEGINLABELEDITW:
        labelEditing_ = !IsRoot(reinterpret_cast<NMTVDISPINFOW*>(header)->item.hItem);
        result = labelEditing_ ? FALSE : TRUE;
        return true;
    case TVN_ENDLABELEDITW: {
        // One edit ends once, however many ways the control reports it.
        const TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
        const bool editing = std::exchange(labelEditing_, false);
        result = editing && item.pszText && RenameFolder(item.hItem, item.pszText) ? TRUE : FALSE;
        return true;
    }
    default:
        return false;
    }
}

bool Frm_Main::RenameFolder(HTREEITEM item, const std::wstring& newName) {
    const FolderNode* node = NodeOf(item);
    if (!node || IsRoot(item)) return false;
    if (Trimmed(newName).empty()) return false;  // nothing to name it by: keep the old name
    if (RefuseUnstorable(newName, L"")) return false;
    if (RefuseSiblingCaption(treeview::Parent(TVDir(), item), newName, item)) return false;
    const std::wstring oldPath = NamePath(CaptionsTo(item, true));
    const std::wstring newLine = FolderLine(CaptionsTo(item, false), newName, node->folder);
    return Rewrite([&](const std::wstring& line) { return RenameOrChangeRule(line, oldPath, newLine); });
}

// Explorer in its two panes, rooted at the node's folder.
void Frm_Main::OnExplorer(HTREEITEM item) {
    const FolderNode* node = NodeOf(item);
    const std::wstring folder = node ? node->folder : std::wstring();
    if (!FolderExists(folder)) {
        app_.shell.Message(hwnd(), kNoFolder, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::wstring selected = folder.ends_with(L'\\') ? folder : folder + L"\\";
    app_.shell.StartProgram(hwnd(), L"explorer", L"/e, /root," + Quoted(folder) + L" /select," + Quoted(selected));
}

void Frm_Main::OnRefAdd(HTREEITEM selected) {
    if (!selected) return;
    RefName.clear();
    RefDir.clear();
    app_.dialogs.EditRegisteredFolder(hwnd(), RefName, RefDir);
    if (Trimmed(RefName).empty()) return;
    if (RefuseUnstorable(RefName, RefDir) || RefuseSiblingCaption(selected, RefName, nullptr)) return;
    const std::vector<std::wstring> ancestors = CaptionsTo(selected, true);
    if (ancestors.size() >= kMaxFolderDepth) {  // deeper, the next start would not read it
        app_.shell.Message(hwnd(), kRefusedDepth, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::wstring line = FolderLine(ancestors, RefName, RefDir);
    if (!AppendFolderLine(app_.programFolder, line)) {
        app_.shell.Message(hwnd(), kRewriteFailed, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    FolderNode* node = NewNode(RefName, std::wstring(Trimmed(RefDir)));
    treeview::Insert(TVDir(), selected, RefName, reinterpret_cast<LPARAM>(node));
    treeview::Expand(TVDir(), selected);
}

void Frm_Main::OnRefMod(HTREEITEM selected) {
    FolderNode* node = const_cast<FolderNode*>(NodeOf(selected));
    if (!node) return;
    RefName = Trimmed(treeview::Text(TVDir(), selected));
    RefDir = Trimmed(node->folder);
    app_.dialogs.EditRegisteredFolder(hwnd(), RefName, RefDir);
    if (Trimmed(RefName).empty() || IsRoot(selected)) return;
    if (RefuseUnstorable(RefName, RefDir) ||
        RefuseSiblingCaption(treeview::Parent(TVDir(), selected), RefName, selected))
        return;
    const std::wstring oldPath = NamePath(CaptionsTo(selected, true));
    const std::wstring newLine = FolderLine(CaptionsTo(selected, false), RefName, RefDir);
    if (!Rewrite([&](const std::wstring& line) { return RenameOrChangeRule(line, oldPath, newLine); })) return;
    treeview::SetText(TVDir(), selected, RefName);
    // Trimmed as a restart would read it back.
    const std::wstring folder(Trimmed(RefDir));
    const bool moved = folder != node->folder;
    node->folder = folder;
    // The list shows the node's folder: it follows the change.
    if (moved && selected == treeview::Selection(TVDir())) RefreshCommand();
}

void Frm_Main::OnRefDel(HTREEITEM item) {
    if (!item || IsRoot(item)) return;
    const std::wstring match = NamePath(CaptionsTo(item, true));
    if (!Rewrite([&](const std::wstring& line) { return RemoveRule(line, match); })) return;
    // Selecting another node on the way is no click on it.
    const HTREEITEM selected = treeview::Selection(TVDir());
    const bool leftClick = std::exchange(TreeLeftClick, false);
    treeview::Delete(TVDir(), item);
    TreeLeftClick = leftClick;
    // The list showed a folder whose node went with it: it shows the node
    // selected now.
    if (treeview::Selection(TVDir()) != selected) RefreshCommand();
}

}  // namespace orvane
