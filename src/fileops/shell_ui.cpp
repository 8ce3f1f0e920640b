#include "fileops/shell_ui.h"

#include <shellapi.h>

namespace orvane {

void RealShellUi::Open(HWND owner, const std::wstring& file, const std::wstring& directory) {
    ShellExecuteW(owner, L"Open", file.c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
}

int RealShellUi::Message(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace orvane
