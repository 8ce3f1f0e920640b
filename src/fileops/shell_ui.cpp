#include "fileops/shell_ui.h"

#include <shellapi.h>
#include <shlobj.h>

#include <type_traits>

#include "win/com.h"

namespace orvane {

void RealShellUi::Open(HWND owner, const std::wstring& file, const std::wstring& directory) {
    ShellExecuteW(owner, L"Open", file.c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
}

int RealShellUi::Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace orvane

namespace orvane {

namespace {

// Selects the start folder once the dialog is there.
int CALLBACK SelectStartFolder(HWND dialog, UINT message, LPARAM, LPARAM startFolder) {
    if (message == BFFM_INITIALIZED && startFolder) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, startFolder);
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
    return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
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
