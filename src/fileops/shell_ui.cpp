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

std::optional<std::wstring> RealShellUi::BrowseForFolder(HWND owner, const std::wstring& title, UINT flags) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = flags;
    const CoTaskMem<std::remove_pointer_t<PIDLIST_ABSOLUTE>> chosen(SHBrowseForFolderW(&info));
    if (!chosen) return std::nullopt;
    std::wstring path(32768, L'\0');
    const bool ok = SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT) ||
                    SHGetPathFromIDListW(chosen.get(), path.data());
    if (!ok) return std::nullopt;
    path.resize(wcslen(path.c_str()));
    return path;
}

}  // namespace orvane
