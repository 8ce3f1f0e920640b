// What the commands on files share: the paths of the rows they act on, and
// the rows that go once their files have left the folder.
#include <algorithm>
#include <utility>

#include "core/version_text.h"
#include "core/text.h"
#include "ui/file_transfer.h"
#include "platform/folder_scan.h"
#include "ui/commands.h"
#include "ui/frm_main.h"
#include "platform/handles.h"
#include "platform/paths.h"

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

// Renames name to newName in folder. A change of letter case goes through
// a passing name: some file systems take a rename onto the same file, letter
// case aside, as done without changing anything.
bool RenameFile(const std::wstring& folder, const std::wstring& name, const std::wstring& newName) {
    const std::wstring source = VerbatimPath(folder, name);
    const std::wstring target = JoinPath(folder, newName);
    if (!SameNameIgnoringCase(name, newName)) return MoveFileW(source.c_str(), target.c_str()) != FALSE;
    std::wstring passing;
    for (int n = 0; passing.empty() || FileExists(passing); ++n)
        passing = VerbatimPath(folder,
                               name + L".rename" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n));
    if (!MoveFileW(source.c_str(), passing.c_str())) return false;
    if (MoveFileW(passing.c_str(), target.c_str())) return true;
    MoveFileW(passing.c_str(), source.c_str());
    return false;
}

}  // namespace

// A row's file by its name on disk, never by its label: a dummy file's label
// may be shortened by the display settings(). The folder is the one the rows
// were listed from, whatever the tree shows selected by now.
std::wstring Frm_Main::RowPath(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size() || listedFolder_.empty()) return {};
    const std::wstring& name = rows_[static_cast<std::size_t>(row)].key;
    return name.empty() ? std::wstring() : JoinPath(listedFolder_, name);
}

std::vector<std::wstring> Frm_Main::FilesToActOn() { return FilesToActOn(fileList_.SelectedRows()); }

std::vector<std::wstring> Frm_Main::FilesToActOn(const std::vector<int>& rows) {
    std::vector<std::wstring> paths;
    std::vector<std::wstring> gone;
    for (int row : rows) {
        std::wstring path = RowPath(row);
        if (path.empty()) continue;
        // Asked by the verbatim path: a plain one may name another file.
        if (PlainFileExists(VerbatimPath(listedFolder_, rows_[static_cast<std::size_t>(row)].key)))
            paths.push_back(std::move(path));
        else
            gone.push_back(std::move(path));
    }
    // A row whose file is gone just leaves: the shell would be handed a
    // name that is no file (and may ask about a folder).
    if (!gone.empty()) DropRowsWhoseFilesLeft();
    if (RefuseUnreachableNames(app_.shell, hwnd(), paths)) return {};
    return paths;
}

void Frm_Main::DropRowsWhoseFilesLeft() {
    const auto gone = [&](const FileRow& row) { return !FileExists(VerbatimPath(listedFolder_, row.key)); };
    const std::size_t before = rows_.size();
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), gone), rows_.end());
    if (rows_.size() != before) {
        // A size the rows that left shared is no longer shared.
        RecountSizes(rows_, sizeTally_);
        fileList_.SetRowCount(static_cast<int>(rows_.size()));
    }
    fileList_.Repaint(true);
    // The count follows the rows: files no longer listed would mislead.
    UpdateCountPanel();
}

int Frm_Main::CurrentRow() const {
    const int focused = fileList_.FocusedRow();
    const std::vector<int> selected = fileList_.SelectedRows();
    if (std::find(selected.begin(), selected.end(), focused) != selected.end()) return focused;
    return selected.empty() ? -1 : selected.front();
}

void Frm_Main::ShowFileMenu(POINT screen) {
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, kCmdRename, L"名前の変更");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdDelete, L"削除");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdMove, L"移動");
    AppendMenuW(menu.get(), MF_STRING, kCmdCopy, L"コピー");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdCut, L"切り取り");
    AppendMenuW(menu.get(), MF_STRING, kCmdCopyToClipboard, L"クリップボードにコピー");
    AppendMenuW(menu.get(), MF_STRING | (IsClipboardFormatAvailable(CF_HDROP) ? 0 : MF_GRAYED), kCmdPaste, L"貼り付け");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kCmdProperties, L"プロパティ");
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr);
}

void Frm_Main::OnRightClick(int /*row*/, POINT at) { ShowFileMenu(at); }

void Frm_Main::OnDoubleClick(int /*row*/) { OnOpen(); }

void Frm_Main::OnKeyDown(WORD key) {
    switch (key) {
    case VK_F2:
        OnRename();
        break;
    case VK_DELETE:
        OnDelete(GetKeyState(VK_SHIFT) < 0);
        break;
    case 'X':
    case 'C':
    case 'V':
        if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0)
            OnCommand(key == 'X' ? kCmdCut : key == 'C' ? kCmdCopyToClipboard : kCmdPaste);
        break;
    default:
        break;
    }
}

void Frm_Main::OnRename() {
    const int row = CurrentRow();
    if (row < 0) return;
    SetFocus(LVList());
    fileList_.StartLabelEdit(row);
}

// The edit starts from the file's name on disk, not from a shortened label.
bool Frm_Main::OnBeginLabelEdit(int row) {
    if (listDragging_ || row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return false;
    editingName_ = rows_[static_cast<std::size_t>(row)].key;
    fileList_.SetLabelEditText(editingName_);
    return true;
}

void Frm_Main::OnEndLabelEdit(int row, const wchar_t* text) {
    // The rows may have been re-sorted or refilled under the edit: the
    // rename acts on the file whose row was edited, or on none.
    const std::wstring edited = std::exchange(editingName_, std::wstring());
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size() ||
        rows_[static_cast<std::size_t>(row)].key != edited) {
        const auto it = std::find_if(rows_.begin(), rows_.end(), [&](const FileRow& r) { return r.key == edited; });
        row = it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
    }
    if (text && row >= 0 && !edited.empty()) {
        RenameRow(row, text);
        PostMessageW(hwnd(), kFocusListMessage, 0, 0);
    }
    // The label comes from the row, renamed or not.
    if (row >= 0) fileList_.RepaintRow(row);
}

bool Frm_Main::RenameRow(int row, const std::wstring& typed) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return false;
    FileRow& file = rows_[static_cast<std::size_t>(row)];
    // Nothing typed is no name: the label just goes back.
    if (typed == file.key || Trimmed(typed).empty()) return false;
    const std::wstring folder = listedFolder_;
    const std::wstring target = JoinPath(folder, typed);
    if (folder.empty() || !NameCanBeFileName(typed)) {
        app_.shell.Message(hwnd(), kRenameFailed, kAppTitle, MB_OK);
        return false;
    }
    // A change of letter case finds the file itself, which is no clash.
    if (!SameNameIgnoringCase(typed, file.key) && !PlainFileName(target).empty()) {
        app_.shell.Message(hwnd(), L"\"" + file.key + L"\"" + kNameTaken, kAppTitle, MB_OK);
        return false;
    }
    if (!RenameFile(folder, file.key, typed)) {
        app_.shell.Message(hwnd(), kRenameFailed, kAppTitle, MB_OK);
        return false;
    }
    // The name the file system kept (it drops trailing dots and blanks).
    std::wstring name = PlainFileName(target);
    if (name.empty()) name = typed;
    file.key = name;
    file.extension = ExtensionOf(name);
    file.text.clear();
    if (file.dummy) {
        if (const std::optional<DummyHeader> header = ReadDummyHeader(folder, name))
            file.text = DummyDisplayName(name, *header, settings().dummyInitialDisp != 0, settings().dummySizeDisp != 0);
    }
    file.nameKey.reset();
    file.extensionKey.reset();
    return true;
}

void Frm_Main::OnDelete(bool forGood) {
    const std::vector<std::wstring> paths = FilesToActOn();
    if (paths.empty()) return;
    // The setting turns the question off, never the recycle bin; Shift+Delete
    // deletes for good, after the shell's own question.
    const FILEOP_FLAGS flags = forGood ? 0 : FOF_ALLOWUNDO | (settings().deleteConfirm ? 0 : FOF_NOCONFIRMATION);
    app_.shell.FileOperation(hwnd(), FO_DELETE, ShellFileList(paths), L"", flags);
    SetFocus(LVList());  // back from the shell's windows
    // Even a refused or part-done delete may have taken some files.
    DropRowsWhoseFilesLeft();
}

void Frm_Main::OnOpen() {
    const int row = CurrentRow();
    if (row < 0) return;
    const std::vector<std::wstring> path = FilesToActOn({row});
    if (!path.empty()) app_.shell.Open(GetDesktopWindow(), path.front(), ClientFolder());
}

void Frm_Main::OnProperties() {
    const int row = CurrentRow();
    if (row < 0) return;
    const std::vector<std::wstring> path = FilesToActOn({row});
    if (!path.empty()) app_.shell.ShowProperties(hwnd(), path.front());
}

}  // namespace orvane
