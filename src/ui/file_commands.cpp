// The commands on files: the paths of the rows they act on come from the
// list; move and copy go into a folder the user picks in the shell's folder
// dialog; cut, copy and paste go through the clipboard in the shell's
// file-drop format with the preferred drop effect, as the shell itself
// offers and takes them.
#include "ui/file_commands.h"

#include <shlobj.h>

#include <utility>

#include "core/drop_rules.h"
#include "core/text.h"
#include "core/version_text.h"
#include "platform/file_drop.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/locale_text.h"
#include "platform/paths.h"
#include "ui/commands.h"
#include "ui/file_transfer.h"

namespace orvane {

namespace {

constexpr wchar_t kNameTaken[] =
    L"の名前を変更できません。指定されたファイル名は既に存在します。別の名前を指定してください。";
constexpr wchar_t kRenameFailed[] = L"ファイル名の変更に失敗しました。";

// The name of a plain file (no folder, hidden or system file) at path, as
// it is written on disk; empty when there is none.
std::wstring PlainFileName(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::wstring name;
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
            name = found.cFileName;
            break;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return name;
}

// A typed name that could reach another folder, match other files or name a
// device is no file name: the rename fails rather than moving the file
// elsewhere. Dots and blanks at its end the file system drops.
bool NameCanBeFileName(const std::wstring& name) {
    const std::size_t kept = name.find_last_not_of(L". ");
    return name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos && kept != std::wstring::npos &&
           PlainPathNamesFile(std::wstring_view(name).substr(0, kept + 1));
}

bool SameNameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The system's own words for an error, without the line break it ends with.
std::wstring SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : L"エラー " + std::to_wstring(error);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
    return message;
}

// Why a file did not open, in words.
std::wstring OpenFailure(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return L"ファイルが見つかりません。";
    case ERROR_NO_ASSOCIATION:
    case SE_ERR_NOASSOC:
    case ERROR_BAD_EXE_FORMAT:  // what Wine answers for a file no program opens: it tried to run it
        return L"このファイルを開くプログラムがありません。";
    default: {
        // Some of the system's words hold the file's place as "%1".
        std::wstring message = SystemMessage(error);
        for (std::size_t at = message.find(L"%1"); at != std::wstring::npos; at = message.find(L"%1", at))
            message.replace(at, 2, L"このファイル");
        return message;
    }
    }
}

// The ids of the registered folders in the 移動先 and コピー先 sub-menus.
constexpr UINT kMoveTargetIds = 0x5000;
constexpr UINT kCopyTargetIds = 0x6000;

constexpr wchar_t kMoveTitle[] = L"移動するフォルダを選択し、[OK] を押してください";
constexpr wchar_t kCopyTitle[] = L"コピーするフォルダを選択し、[OK] を押してください";

}  // namespace

FileCommands::~FileCommands() { LeaveClipboard(); }

void FileCommands::LeaveClipboard() {
    // What we put on the clipboard stays there after the window is gone.
    if (clipboardData_ && OleIsCurrentClipboard(clipboardData_.get()) == S_OK) OleFlushClipboard();
    clipboardData_.reset();
}

bool FileCommands::OnCommand(int id) {
    switch (id) {
    case kCmdRename:
        list_.StartRename();
        return true;
    case kCmdDelete:
    case kCmdDeleteForGood:
        Delete(id == kCmdDeleteForGood);
        return true;
    case kCmdOpen:
        Open();
        return true;
    case kCmdProperties:
        Properties();
        return true;
    case kCmdMove:
    case kCmdCopy:
        MoveOrCopy(id == kCmdMove ? FO_MOVE : FO_COPY);
        return true;
    case kCmdCut:
    case kCmdCopyToClipboard:
        CutOrCopy(id == kCmdCut);
        return true;
    case kCmdPaste:
        Paste();
        return true;
    case kCmdUndo:
        Undo();
        return true;
    default:
        return false;
    }
}

void FileCommands::ShowMenu(POINT screen) {
    // The registered folders, for 移動先 and コピー先, with ids of their own.
    const FolderMenu folders =
        BuildFolderMenu(registered_ ? registered_() : std::vector<RegisteredNode>{}, list_.ListedFolder(),
                        [](const std::wstring& a, const std::wstring& b) { return IsSameFolder(a, b, UpperCaseText); });
    const auto submenu = [&folders](UINT firstId, UINT browseId) {
        const auto fill = [firstId](HMENU menu, const std::vector<FolderMenuItem>& items, const auto& self) -> void {
            for (const FolderMenuItem& item : items) {
                if (item.items.empty()) {
                    AppendMenuW(menu, MF_STRING | (item.enabled ? 0 : MF_GRAYED),
                                firstId + static_cast<UINT>(item.target), item.caption.c_str());
                    continue;
                }
                HMENU inner = CreatePopupMenu();
                self(inner, item.items, self);
                AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), item.caption.c_str());
            }
        };
        HMENU menu = CreatePopupMenu();
        fill(menu, folders.items, fill);
        if (!folders.items.empty()) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, browseId, L"フォルダーを選択(&B)…");
        return menu;
    };
    // Each key follows a full-width blank: Wine measures Japanese captions
    // short of what it draws, and would run the key into the longest.
    UniqueMenu menu(CreatePopupMenu());
    // 開く first and in bold, as a double click or Enter does it.
    AppendMenuW(menu.get(), MF_STRING, kCmdOpen, L"開く(&O)");
    SetMenuDefaultItem(menu.get(), kCmdOpen, FALSE);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdRename, L"名前の変更(&M)　\tF2");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdDelete, L"削除(&D)　\tDelete");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    // A sub-menu belongs to the menu it is appended to and goes with it.
    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(submenu(kMoveTargetIds, kCmdMove)), L"移動先(&V)");
    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(submenu(kCopyTargetIds, kCmdCopy)), L"コピー先(&I)");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdCut, L"切り取り(&T)　\tCtrl+X");
    AppendMenuW(menu.get(), MF_STRING, kCmdCopyToClipboard, L"クリップボードにコピー(&C)　\tCtrl+C");
    AppendMenuW(menu.get(), MF_STRING | (IsClipboardFormatAvailable(CF_HDROP) ? 0 : MF_GRAYED), kCmdPaste,
                L"貼り付け(&P)　\tCtrl+V");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdProperties, L"プロパティ(&R)　\tAlt+Enter");
    const auto chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                         screen.x, screen.y, 0, Owner(), nullptr));
    if (chosen == 0) return;
    for (const auto& [first, move] : {std::pair{kMoveTargetIds, true}, std::pair{kCopyTargetIds, false}})
        if (chosen >= first && chosen - first < folders.targets.size())
            return MoveOrCopyTo(folders.targets[chosen - first], move);
    SendMessageW(Owner(), WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

std::optional<std::wstring> FileCommands::Rename(const std::wstring& folder, const std::wstring& name,
                                                 const std::wstring& typed) {
    const std::wstring target = JoinPath(folder, typed);
    if (folder.empty() || !NameCanBeFileName(typed)) {
        shell_.Message(Owner(), kRenameFailed, kAppTitle, MB_OK);
        return std::nullopt;
    }
    // A change of letter case finds the file itself, which is no clash.
    if (!SameNameIgnoringCase(typed, name) && !PlainFileName(target).empty()) {
        shell_.Message(Owner(), L"\"" + name + L"\"" + kNameTaken, kAppTitle, MB_OK);
        return std::nullopt;
    }
    if (!RenameInFolder(folder, name, typed, false)) {
        shell_.Message(Owner(), kRenameFailed, kAppTitle, MB_OK);
        return std::nullopt;
    }
    // The name the file system kept (it drops trailing dots and blanks).
    std::wstring kept = PlainFileName(target);
    if (kept.empty()) kept = typed;
    undo_.Record(UndoKind::Rename, {{JoinPath(folder, name), JoinPath(folder, kept)}});
    return kept;
}

void FileCommands::Delete(bool forGood) {
    const std::vector<std::wstring> paths = list_.FilesToActOn();
    if (paths.empty()) return;
    // The setting turns the question off, never the recycle bin; Shift+Delete
    // deletes for good, after the shell's own question.
    const FILEOP_FLAGS flags = forGood ? 0 : FOF_ALLOWUNDO | (settings_.Get().deleteConfirm ? 0 : FOF_NOCONFIRMATION);
    shell_.FileOperation(Owner(), FO_DELETE, ShellFileList(paths), L"", flags);
    SetFocus(list_.LVList());  // back from the shell's windows
    // Even a refused or part-done delete may have taken some files.
    list_.DropRowsWhoseFilesLeft();
}

void FileCommands::Open() {
    const int row = list_.CurrentRow();
    if (row < 0) return;
    const std::vector<std::wstring> path = list_.FilesToActOn({row});
    if (path.empty()) return;
    const DWORD error = shell_.Open(GetDesktopWindow(), path.front(), list_.ClientFolder());
    // The shell shows nothing of its own: a file that did not open says why.
    if (error == 0 || error == ERROR_CANCELLED) return;
    const std::wstring name = path.front().substr(path.front().find_last_of(L'\\') + 1);
    shell_.Message(Owner(), L"\"" + name + L"\" を開けません。\n" + OpenFailure(error), kAppTitle,
                   MB_OK | MB_ICONEXCLAMATION);
}

void FileCommands::Properties() {
    const int row = list_.CurrentRow();
    if (row < 0) return;
    const std::vector<std::wstring> path = list_.FilesToActOn({row});
    if (!path.empty()) shell_.ShowProperties(Owner(), path.front());
}

void FileCommands::MoveOrCopy(UINT operation) {
    // The rows' real names, not their labels: a dummy file's label may be shortened.
    const std::vector<std::wstring> sources = list_.FilesToActOn();
    if (sources.empty()) return;  // nothing to ask a folder for

    const std::wstring& defaultDir = settings_.Get().defaultDir;
    const std::wstring startFolder = FolderExists(defaultDir) ? defaultDir : std::wstring();
    const std::optional<std::wstring> target =
        shell_.BrowseForFolder(Owner(), operation == FO_COPY ? kCopyTitle : kMoveTitle,
                               BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN, startFolder);
    if (!target || target->empty()) return;
    Transfer(sources, *target, operation == FO_MOVE);
}

void FileCommands::MoveOrCopyTo(const std::wstring& target, bool move) {
    const std::vector<std::wstring> sources = list_.FilesToActOn();
    if (sources.empty()) return;
    // A registration whose folder is gone: the shell would make a folder of
    // that name, or move the files onto one file of that name.
    if (!FolderExists(target)) {
        shell_.Message(Owner(), L"フォルダがありません。\n" + target, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Transfer(sources, target, move);
}

void FileCommands::Transfer(const std::vector<std::wstring>& sources, const std::wstring& target, bool move) {
    // The shell reports its own failures; the list shows what it managed.
    TransferFiles(shell_, Owner(), move ? FileTransfer::Move : FileTransfer::Copy, sources, target, &undo_);
    SetFocus(list_.LVList());  // back from the shell's windows
    if (move) list_.DropRowsWhoseFilesLeft();
}

void FileCommands::CutOrCopy(bool cut) {
    std::vector<std::wstring> paths = list_.FilesToActOn();
    if (paths.empty()) return;
    // Another program that pastes a cut says so on the data once the files
    // moved: the rows whose files left then go, as after a move of our own.
    const UiQueue::Poster queue = queue_.MakePoster();
    FileListPanel* list = &list_;
    const auto onSet = [queue, list, cut](const FORMATETC& format) {
        if (cut && format.cfFormat == RegisterClipboardFormatW(CFSTR_PASTESUCCEEDED))
            queue.Post([list] { list->DropRowsWhoseFilesLeft(); });
    };
    const std::vector<std::wstring> taken = paths;
    ComPtr<IDataObject> data = MakeFileDropData([paths = std::move(paths)] { return paths; }, onSet);
    WriteDropEffect(data.get(), CFSTR_PREFERREDDROPEFFECT, cut ? DROPEFFECT_MOVE : DROPEFFECT_COPY);
    if (FAILED(OleSetClipboard(data.get()))) return;
    clipboardData_ = std::move(data);
    if (cut)
        list_.MarkCut(taken);
    else
        list_.ClearCut();
}

void FileCommands::OnClipboardChanged() {
    if (!clipboardData_ || OleIsCurrentClipboard(clipboardData_.get()) != S_OK) list_.ClearCut();
}

void FileCommands::PasteInto(const std::wstring& folder) {
    if (folder.empty() || !FolderExists(folder)) return;
    ComPtr<IDataObject> data;
    if (FAILED(OleGetClipboard(data.put())) || !data) return;
    const std::optional<std::vector<std::wstring>> paths = FileDropPaths(data.get());
    if (!paths || paths->empty()) return;
    const FileTransfer kind = TransferForPaste(ReadDropEffect(data.get(), CFSTR_PREFERREDDROPEFFECT));
    // A file pasted into the folder it lies in would land on itself: refused
    // with a word (the shell under Wine hangs or ends the program on a copy
    // onto itself, even when asked for new names).
    const std::optional<bool> done = TransferFiles(shell_, Owner(), kind, *paths, folder, &undo_);
    if (done && *done && kind == FileTransfer::Move) {
        // The cut's files moved here: its source has nothing to delete, and
        // a cut is pasted once.
        WriteDropEffect(data.get(), CFSTR_PERFORMEDDROPEFFECT, DROPEFFECT_NONE);
        WriteDropEffect(data.get(), CFSTR_PASTESUCCEEDED, DROPEFFECT_MOVE);
        OleSetClipboard(nullptr);
        clipboardData_.reset();
        list_.ClearCut();
    }
    if (!done) return;
    if (IsSameFolder(folder, list_.ListedFolder(), UpperCaseText)) {
        SetFocus(list_.LVList());  // back from the shell's windows
        list_.RelistSelecting(*paths);
    }
}

void FileCommands::Undo() {
    if (list_.EditingLabel()) return;
    const std::optional<std::vector<std::wstring>> back = undo_.Undo(shell_, Owner(), settings_.Get().deleteConfirm);
    SetFocus(list_.LVList());  // back from the shell's windows
    if (!back) return;
    // Files that left the folder listed leave the rows; files that came
    // back into it are selected once it is listed again.
    list_.DropRowsWhoseFilesLeft();
    std::vector<std::wstring> here;
    for (const std::wstring& path : *back)
        if (IsSameFolder(path.substr(0, path.find_last_of(L'\\') + 1), list_.ListedFolder(), UpperCaseText))
            here.push_back(path);
    if (!here.empty()) list_.RelistSelecting(here);
}

}  // namespace orvane
