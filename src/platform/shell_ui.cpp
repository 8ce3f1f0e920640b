#include "platform/shell_ui.h"

#include <commctrl.h>
#include <shellapi.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <type_traits>
#include <vector>

#include "platform/com.h"
#include "platform/paths.h"

namespace orvane {

DWORD RealShellUi::Open(HWND owner, const std::wstring& file, const std::wstring& directory) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"Open";
    info.lpFile = file.c_str();
    info.lpDirectory = directory.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info)) return 0;
    const DWORD error = GetLastError();
    return error ? error : ERROR_NO_ASSOCIATION;
}

int RealShellUi::Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace orvane

namespace orvane {

namespace {

// The display names from below the desktop down to the folder, as the
// dialog's tree shows them.
std::vector<std::wstring> DisplayNamesTo(const std::wstring& folder) {
    PIDLIST_ABSOLUTE parsed = nullptr;
    if (FAILED(SHParseDisplayName(folder.c_str(), nullptr, &parsed, 0, nullptr))) return {};
    const CoTaskMem<std::remove_pointer_t<PIDLIST_ABSOLUTE>> owned(parsed);
    std::vector<std::wstring> names;
    while (!ILIsEmpty(parsed)) {
        SHFILEINFOW info{};
        if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(parsed), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME))
            return {};
        names.insert(names.begin(), info.szDisplayName);
        ILRemoveLastID(parsed);
    }
    return names;
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    TreeView_GetItem(tree, &query);
    return text;
}

HTREEITEM SiblingNamed(HWND tree, HTREEITEM first, const std::wstring& name) {
    while (first && ItemText(tree, first) != name) first = TreeView_GetNextSibling(tree, first);
    return first;
}

// The tree's item of the names' folder, expanding on the way; the tree's
// top may be the desktop itself or what lies below it.
HTREEITEM ItemByNames(HWND tree, const std::vector<std::wstring>& names) {
    if (!tree || names.empty()) return nullptr;
    HTREEITEM item = SiblingNamed(tree, TreeView_GetRoot(tree), names[0]);
    std::size_t next = 1;
    if (!item) {
        item = TreeView_GetRoot(tree);
        next = 0;
    }
    for (; item && next < names.size(); ++next) {
        TreeView_Expand(tree, item, TVE_EXPAND);
        item = SiblingNamed(tree, TreeView_GetChild(tree, item), names[next]);
    }
    return item;
}

// Selects the start folder once the dialog is there. The shell's own way
// fails now and then under Wine; then the tree is walked by display names.
int CALLBACK SelectStartFolder(HWND dialog, UINT message, LPARAM, LPARAM startFolder) {
    if (message != BFFM_INITIALIZED || !startFolder) return 0;
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, startFolder);
    const HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    const HTREEITEM wanted = ItemByNames(tree, DisplayNamesTo(reinterpret_cast<const wchar_t*>(startFolder)));
    if (wanted && TreeView_GetSelection(tree) != wanted) {
        TreeView_SelectItem(tree, wanted);
        TreeView_EnsureVisible(tree, wanted);
    }
    return 0;
}

}  // namespace

std::optional<std::wstring> RealShellUi::BrowseForFolder(HWND owner, const std::wstring& title, UINT flags,
                                                         const std::wstring& startFolder) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = flags;
    if (!startFolder.empty()) {
        info.lpfn = SelectStartFolder;
        info.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
    }
    const CoTaskMem<std::remove_pointer_t<PIDLIST_ABSOLUTE>> chosen(SHBrowseForFolderW(&info));
    if (!chosen) return std::nullopt;
    std::wstring path(32768, L'\0');
    const bool ok = SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT) ||
                    SHGetPathFromIDListW(chosen.get(), path.data());
    if (!ok) return std::nullopt;
    path.resize(wcslen(path.c_str()));
    return path;
}

namespace {

// The paths of a file list (each ended by a NUL, one more NUL at the end).
std::vector<std::wstring> ListedPaths(const std::wstring& list) {
    std::vector<std::wstring> paths;
    for (std::size_t at = 0; at < list.size() && list[at];) {
        const std::size_t end = list.find(L'\0', at);
        paths.push_back(list.substr(at, end - at));
        if (end == std::wstring::npos) break;
        at = end + 1;
    }
    return paths;
}

// Whether a file or folder is there, asked by its verbatim path so that a
// name like "aux.mp3" is the file, not the device.
bool StillThere(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return FileExists(path);
    return FileExists(VerbatimPath(path.substr(0, slash), path.substr(slash + 1)));
}

}  // namespace

bool RealShellUi::FileOperation(HWND owner, UINT operation, const std::wstring& from, const std::wstring& to,
                                FILEOP_FLAGS flags) {
    SHFILEOPSTRUCTW op{};
    op.hwnd = owner;
    op.wFunc = operation;
    op.pFrom = from.c_str();
    op.pTo = to.empty() ? nullptr : to.c_str();
    op.fFlags = flags;
    // A part the user cancelled, or the shell gave up on, is no success:
    // nobody may take the files for moved.
    if (SHFileOperationW(&op) != 0 || op.fAnyOperationsAborted) return false;
    // Some shells (Wine's among them) report success for a source that does
    // not exist: a move or delete is done only when no source is left, and a
    // move or copy to a destination each only when every destination is there.
    const std::vector<std::wstring> sources = ListedPaths(from);
    if ((operation == FO_MOVE || operation == FO_DELETE) && std::any_of(sources.begin(), sources.end(), StillThere))
        return false;
    if ((operation == FO_MOVE || operation == FO_COPY) && (flags & FOF_MULTIDESTFILES)) {
        const std::vector<std::wstring> destinations = ListedPaths(to);
        return destinations.size() == sources.size() &&
               std::all_of(destinations.begin(), destinations.end(), StillThere);
    }
    return true;
}

void RealShellUi::ShowProperties(HWND owner, const std::wstring& path) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"properties";
    info.lpFile = path.c_str();
    ShellExecuteExW(&info);
}

void RealShellUi::StartProgram(HWND owner, const std::wstring& program, const std::wstring& parameters) {
    ShellExecuteW(owner, L"open", program.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace orvane

namespace orvane {

std::optional<std::wstring> RealShellUi::ChooseFileToOpen(HWND owner, const std::wstring& title) {
    static const wchar_t kFilter[] = L"全て(*.*)\0*.*\0";  // the literal's own NUL ends the list
    std::vector<wchar_t> file(5120, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = kFilter;
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrTitle = title.empty() ? nullptr : title.c_str();
    request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&request)) return std::nullopt;
    return std::wstring(file.data());
}

std::optional<COLORREF> RealShellUi::PickColor(HWND owner, COLORREF present) {
    CHOOSECOLORW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.rgbResult = present;
    request.lpCustColors = customColors_;  // the program's one shell keeps them for the run
    request.Flags = CC_RGBINIT;
    if (!ChooseColorW(&request)) return std::nullopt;
    return request.rgbResult;
}

}  // namespace orvane
