// The tree of registered folders: built from the data file, answering
// clicks, hovering, its pop-up menu and in-place renaming.
#include "ui/folder_tree.h"

#include <utility>

#include "core/text.h"
#include "core/version_text.h"
#include "platform/code_page.h"
#include "platform/handles.h"
#include "platform/paths.h"
#include "ui/commands.h"

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

FolderTree::FolderTree(FolderTreeContext context, FolderTreeListener& listener)
    : context_(std::move(context)), listener_(listener) {}

void FolderTree::Create(HWND parent, int id) { tree_.Create(parent, id); }

const FolderNode* FolderTree::NodeOf(HTREEITEM item) const {
    return item ? reinterpret_cast<const FolderNode*>(tree_.Data(item)) : nullptr;
}

std::wstring FolderTree::SelectedFolder() const {
    const FolderNode* node = NodeOf(tree_.Selection());
    return node ? node->folder : std::wstring();
}

std::optional<std::wstring> FolderTree::FolderAt(POINT client) const {
    const FolderNode* node = NodeOf(tree_.HitTest(client));
    return node ? std::optional(node->folder) : std::nullopt;
}

// A relative FILE_PATH belongs to the program's folder, not to wherever the
// program was started from.
std::vector<RegisteredNode> FolderTree::RegisteredNodes() const {
    const HTREEITEM root = tree_.Root();
    if (!root) return {};
    const auto nodeAt = [this](HTREEITEM item, const auto& self) -> RegisteredNode {
        RegisteredNode node{tree_.Text(item), NodeOf(item) ? NodeOf(item)->folder : std::wstring(), {}};
        for (const HTREEITEM child : tree_.Children(item)) node.below.push_back(self(child, self));
        return node;
    };
    std::vector<RegisteredNode> nodes{{tree_.Text(root), NodeOf(root) ? NodeOf(root)->folder : std::wstring(), {}}};
    for (const HTREEITEM child : tree_.Children(root)) nodes.push_back(nodeAt(child, nodeAt));
    return nodes;
}

std::wstring FolderTree::ClientFolder() const {
    return ResolvedAgainst(context_.programFolder, context_.settings.Get().filePath);
}

void FolderTree::RootFollowsClientFolder() {
    const HTREEITEM root = tree_.Root();
    if (auto* node = const_cast<FolderNode*>(NodeOf(root))) node->folder = ClientFolder();
    SelectQuietly(root);
}

void FolderTree::SelectQuietly(HTREEITEM item) {
    // Selecting a node this way is no click on it: the click's listing and
    // status text do not follow.
    const bool leftClick = std::exchange(TreeLeftClick, false);
    tree_.Select(item);
    TreeLeftClick = leftClick;
}

FolderNode* FolderTree::NewNode(const std::wstring& caption, const std::wstring& folder) {
    auto node = std::make_unique<FolderNode>(FolderNode{caption + L"\\\\\\" + std::to_wstring(nodeCounter_++), folder});
    nodes_.push_back(std::move(node));
    return nodes_.back().get();
}

void FolderTree::Build() {
    tree_.DeleteAll();
    nodes_.clear();
    nodeCounter_ = 0;
    auto root = std::make_unique<FolderNode>(FolderNode{kRootKey, WithTrailingBackslash(ClientFolder())});
    const HTREEITEM rootItem = tree_.Insert(nullptr, kRootCaption, reinterpret_cast<LPARAM>(root.get()));
    FolderNode* rootNode = root.get();
    nodes_.push_back(std::move(root));

    if (const auto lines = ReadFolderFile(context_.programFolder)) {
        const FolderTreeModel model = ReadFolderLines(*lines);
        if (model.rootFolder) rootNode->folder = *model.rootFolder;
        std::vector<HTREEITEM> items;
        items.reserve(model.folders.size());
        for (const StoredFolder& stored : model.folders) {
            FolderNode* node = NewNode(stored.caption, stored.folder);
            const HTREEITEM parent = stored.parent < 0 ? rootItem : items[static_cast<std::size_t>(stored.parent)];
            items.push_back(tree_.Insert(parent, stored.caption, reinterpret_cast<LPARAM>(node)));
        }
        tree_.Expand(rootItem);
        for (HTREEITEM item : items) tree_.Expand(item);
    }
    // The list shows the selected node's folder: start on the root.
    tree_.Select(rootItem);
}

std::wstring FolderTree::SelectedNamePath() const {
    const HTREEITEM selected = tree_.Selection();
    return selected ? NamePath(CaptionsTo(selected, true)) : std::wstring();
}

std::optional<std::wstring> FolderTree::SelectNamePath(const std::wstring& namePath) {
    if (namePath.empty()) return std::nullopt;
    HTREEITEM at = tree_.Root();
    std::size_t start = 0;
    while (at && start <= namePath.size()) {
        const std::size_t comma = std::min(namePath.find(L',', start), namePath.size());
        const std::wstring caption = namePath.substr(start, comma - start);
        HTREEITEM found = nullptr;
        for (const HTREEITEM child : tree_.Children(at))
            if (tree_.Text(child) == caption) found = child;
        at = found;
        start = comma + 1;
    }
    const FolderNode* node = at ? NodeOf(at) : nullptr;
    if (!node || node->folder.empty() || !FolderExists(node->folder)) return std::nullopt;
    SelectQuietly(at);
    return node->folder;
}

std::vector<std::wstring> FolderTree::CaptionsTo(HTREEITEM item, bool includeItem) const {
    std::vector<std::wstring> captions;
    const HTREEITEM root = tree_.Root();
    for (HTREEITEM at = includeItem ? item : tree_.Parent(item); at && at != root; at = tree_.Parent(at))
        captions.insert(captions.begin(), tree_.Text(at));
    return captions;
}

bool FolderTree::IsRoot(HTREEITEM item) const {
    const FolderNode* node = NodeOf(item);
    return node && node->key == kRootKey;
}

bool FolderTree::RefuseUnstorable(const std::wstring& name, const std::wstring& folder) {
    const wchar_t* reason = nullptr;
    if (!StorableName(name) || !StorableName(folder))
        reason = kRefusedComma;
    else if (!RepresentableInAnsi(name) || !RepresentableInAnsi(folder))
        reason = kRefusedCharacters;
    if (!reason) return false;
    context_.shell.Message(Owner(), reason, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    return true;
}

// Two siblings of one caption would share their lines in the data file, and
// every later change of one would change both: a caption is refused where a
// sibling (other than the node itself) has it already, compared exactly as
// the data file's reading compares names.
bool FolderTree::RefuseSiblingCaption(HTREEITEM parent, const std::wstring& caption, HTREEITEM self) {
    for (HTREEITEM child : tree_.Children(parent)) {
        if (child != self && tree_.Text(child) == caption) {
            context_.shell.Message(Owner(), kRefusedSibling, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
            return true;
        }
    }
    return false;
}

bool FolderTree::Rewrite(const std::function<LineChange(const std::wstring&)>& rule) {
    if (RewriteFolderFile(context_.programFolder, rule,
                          context_.rewriteFaults ? *context_.rewriteFaults : RewriteFaults{}))
        return true;
    context_.shell.Message(Owner(), kRewriteFailed, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

// The listener decides what a folder that is gone shows.
void FolderTree::ChooseSelected() {
    const FolderNode* node = NodeOf(tree_.Selection());
    listener_.OnFolderChosen(node ? node->folder : std::wstring(), node && node->key == kRootKey);
}

void FolderTree::Choose(HTREEITEM item) {
    if (!TreeLeftClick || !NodeOf(item)) return;
    ChooseSelected();  // the status bar names the folder listed
}

void FolderTree::OnMouseMove(POINT client) {
    // Off the nodes the panel names the folder the list shows.
    const FolderNode* node = NodeOf(tree_.HitTest(client));
    listener_.OnFolderPointed(node ? std::optional(node->folder) : std::nullopt);
}

void FolderTree::OnRightClick() {
    POINT screen = mouseDownAt_;
    ClientToScreen(tree_.hwnd(), &screen);
    // The menu acts on the node right-clicked; the selection and the list
    // stay as they are.
    if (const HTREEITEM item = tree_.HitTest(mouseDownAt_)) ShowMenu(item, screen);
}

// Shift+F10 or the menu key: the menu of the selected node, just below its
// caption, as the shell's trees place it.
bool FolderTree::OnMenuKey() {
    const HTREEITEM item = tree_.Selection();
    if (!item) return true;
    const RECT caption = tree_.ShownCaptionRect(item);
    POINT screen{caption.left, caption.bottom};
    ClientToScreen(tree_.hwnd(), &screen);
    ShowMenu(item, screen);
    return true;
}

void FolderTree::ShowMenu(HTREEITEM item, POINT screen) {
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, kCmdRefAdd, L"追加(&A)…");
    AppendMenuW(menu.get(), MF_STRING, kCmdRefMod, L"変更(&M)…");
    AppendMenuW(menu.get(), MF_STRING, kCmdRefDel, L"削除(&D)");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdExplorer, L"エクスプローラ(&E)");
    // A node other than the selected one is highlighted while its menu is open.
    const bool highlight = item != tree_.Selection();
    if (highlight) tree_.SetDropHighlight(item);
    const int command = static_cast<int>(TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                        screen.x, screen.y, 0, Owner(), nullptr));
    if (highlight) tree_.SetDropHighlight(nullptr);
    OnCommand(command, item);
}

void FolderTree::OnCommand(int command) { OnCommand(command, tree_.Selection()); }

void FolderTree::OnCommand(int command, HTREEITEM item) {
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

void FolderTree::OnButtonDown(UINT message, POINT client) {
    TreeLeftClick = message == WM_LBUTTONDOWN;
    selectionAtMouseDown_ = tree_.Selection();
    mouseDownAt_ = client;
}

bool FolderTree::OnKeyDown(WPARAM key) {
    if (key == VK_F2) {  // rename from the keyboard, as in the shell
        if (const HTREEITEM item = tree_.Selection()) tree_.StartLabelEdit(item);
        return true;
    }
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    // 削除 from the keyboard; while a caption is edited, Delete is the edit's.
    if (key == VK_DELETE && !control && !alt && !tree_.EditingLabel()) {
        OnRefDel(tree_.Selection());
        return true;
    }
    if (key == 'V' && control && !alt) {
        // As in the shell: into the selected node's folder.
        listener_.OnPasteInto(SelectedFolder());
        return true;
    }
    return false;
}

bool FolderTree::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->hwndFrom != tree_.hwnd()) return false;
    switch (header->code) {
    case TVN_SELCHANGEDW:
        Choose(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem);
        result = 0;
        return true;
    case NM_CLICK: {
        // A click on the node that was selected already lists it again.
        const HTREEITEM item = tree_.HitTest(mouseDownAt_);
        if (item && item == selectionAtMouseDown_ && item == tree_.Selection()) Choose(item);
        result = 0;
        return true;
    }
    case NM_RCLICK:
        OnRightClick();
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

bool FolderTree::RenameFolder(HTREEITEM item, const std::wstring& newName) {
    const FolderNode* node = NodeOf(item);
    if (!node || IsRoot(item)) return false;
    if (Trimmed(newName).empty()) return false;  // nothing to name it by: keep the old name
    if (RefuseUnstorable(newName, L"")) return false;
    if (RefuseSiblingCaption(tree_.Parent(item), newName, item)) return false;
    const std::wstring oldPath = NamePath(CaptionsTo(item, true));
    const std::wstring newLine = FolderLine(CaptionsTo(item, false), newName, node->folder);
    return Rewrite([&](const std::wstring& line) { return RenameOrChangeRule(line, oldPath, newLine); });
}

// Explorer in its two panes, rooted at the node's folder.
void FolderTree::OnExplorer(HTREEITEM item) {
    const FolderNode* node = NodeOf(item);
    const std::wstring folder = node ? node->folder : std::wstring();
    if (!FolderExists(folder)) {
        context_.shell.Message(Owner(), kNoFolder, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::wstring selected = folder.ends_with(L'\\') ? folder : folder + L"\\";
    context_.shell.StartProgram(Owner(), L"explorer", L"/e, /root," + Quoted(folder) + L" /select," + Quoted(selected));
}

void FolderTree::OnRefAdd(HTREEITEM selected) {
    if (!selected) return;
    std::wstring RefName, RefDir;  // handed to and from the registered-folder dialog
    context_.dialogs.EditRegisteredFolder(Owner(), RefName, RefDir);
    if (Trimmed(RefName).empty()) return;
    if (RefuseUnstorable(RefName, RefDir) || RefuseSiblingCaption(selected, RefName, nullptr)) return;
    const std::vector<std::wstring> ancestors = CaptionsTo(selected, true);
    if (ancestors.size() >= kMaxFolderDepth) {  // deeper, the next start would not read it
        context_.shell.Message(Owner(), kRefusedDepth, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::wstring line = FolderLine(ancestors, RefName, RefDir);
    if (!AppendFolderLine(context_.programFolder, line)) {
        context_.shell.Message(Owner(), kRewriteFailed, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    FolderNode* node = NewNode(RefName, std::wstring(Trimmed(RefDir)));
    tree_.Insert(selected, RefName, reinterpret_cast<LPARAM>(node));
    tree_.Expand(selected);
}

void FolderTree::OnRefMod(HTREEITEM selected) {
    FolderNode* node = const_cast<FolderNode*>(NodeOf(selected));
    if (!node) return;
    std::wstring RefName(Trimmed(tree_.Text(selected)));
    std::wstring RefDir(Trimmed(node->folder));
    context_.dialogs.EditRegisteredFolder(Owner(), RefName, RefDir);
    if (Trimmed(RefName).empty() || IsRoot(selected)) return;
    if (RefuseUnstorable(RefName, RefDir) || RefuseSiblingCaption(tree_.Parent(selected), RefName, selected)) return;
    const std::wstring oldPath = NamePath(CaptionsTo(selected, true));
    const std::wstring newLine = FolderLine(CaptionsTo(selected, false), RefName, RefDir);
    if (!Rewrite([&](const std::wstring& line) { return RenameOrChangeRule(line, oldPath, newLine); })) return;
    tree_.SetText(selected, RefName);
    // Trimmed as a restart would read it back.
    const std::wstring folder(Trimmed(RefDir));
    const bool moved = folder != node->folder;
    node->folder = folder;
    // The list shows the node's folder: it follows the change.
    if (moved && selected == tree_.Selection()) ChooseSelected();
}

int FolderTree::CountBelow(HTREEITEM item) const {
    int count = 0;
    for (const HTREEITEM child : tree_.Children(item)) count += 1 + CountBelow(child);
    return count;
}

void FolderTree::OnRefDel(HTREEITEM item) {
    if (!item || IsRoot(item)) return;
    // The registrations below go with it: the question says how many.
    std::wstring question = L"登録フォルダ「" + tree_.Text(item) + L"」を削除しますか？";
    if (const int below = CountBelow(item))
        question += L"\nこの下の " + std::to_wstring(below) + L" 個の登録フォルダも削除されます。";
    // The keyboard stays on the tree after the answer, for the next Delete;
    // the closing question would leave it on the window around the tree.
    const bool focused = GetFocus() == tree_.hwnd();
    const int answer = context_.shell.Message(Owner(), question, kAppTitle, MB_YESNO | MB_ICONQUESTION);
    if (focused && IsWindow(tree_.hwnd())) SetFocus(tree_.hwnd());
    if (answer != IDYES) return;
    const std::wstring match = NamePath(CaptionsTo(item, true));
    if (!Rewrite([&](const std::wstring& line) { return RemoveRule(line, match); })) return;
    // Selecting another node on the way is no click on it.
    const HTREEITEM selected = tree_.Selection();
    const bool leftClick = std::exchange(TreeLeftClick, false);
    tree_.Delete(item);
    TreeLeftClick = leftClick;
    // The list showed a folder whose node went with it: it shows the node
    // selected now.
    if (tree_.Selection() != selected) ChooseSelected();
}

}  // namespace orvane
