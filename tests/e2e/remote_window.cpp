#include "e2e/remote_window.h"

#include <vector>

#include "platform/paths.h"

namespace orvane::e2e {

namespace {

// A block of memory in the other process, freed again.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    void* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    void Write(std::size_t offset, const void* data, std::size_t size) const {
        SIZE_T written = 0;
        WriteProcessMemory(process_, at(offset), data, size, &written);
    }

private:
    HANDLE process_;
    void* address_;
};

constexpr std::size_t kTextChars = 1024;
constexpr std::size_t kTextOffset = 512;  // the text after the structure

struct FindContext {
    DWORD pid;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
};

}  // namespace

RunningProgram::RunningProgram(const std::wstring& exePath) {
    // Where an earlier test left the pointer, the new window would take it as
    // hovering (the tree writes the folder under it into the status bar).
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const std::wstring folder = exePath.substr(0, exePath.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process_))
        process_ = {};
}

RunningProgram::~RunningProgram() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND RunningProgram::FindWindowOfClass(const wchar_t* className, bool visibleOnly) const {
    FindContext context{process_.dwProcessId, className, visibleOnly, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* c = reinterpret_cast<FindContext*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (pid == c->pid && std::wstring(name) == c->className && (!c->visibleOnly || IsWindowVisible(window))) {
                c->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

HWND RunningProgram::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
        if (HWND window = FindWindowOfClass(className, true)) {
            // Let it finish what it does on showing before anyone looks.
            WaitForInputIdle(process_.hProcess, 10000);
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
            return window;
        }
        if (WaitForSingleObject(process_.hProcess, 100) != WAIT_TIMEOUT) return nullptr;
    }
    return nullptr;
}

bool RunningProgram::WaitUntilGone(const wchar_t* className, DWORD timeoutMs) const {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (FindWindowOfClass(className, false)) {
        if (GetTickCount64() >= end) return false;
        Sleep(50);
    }
    return true;
}

long RunningProgram::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

std::wstring RunningProgram::ReadRemoteText(void* remote, std::size_t chars) const {
    std::vector<wchar_t> text(chars + 1, L'\0');
    SIZE_T read = 0;
    ReadProcessMemory(process_.hProcess, remote, text.data(), chars * sizeof(wchar_t), &read);
    return text.data();
}

std::wstring RunningProgram::StatusText(HWND bar, int part) const {
    RemoteBlock block(process_.hProcess, kTextOffset + kTextChars * sizeof(wchar_t));
    const wchar_t empty = 0;
    block.Write(0, &empty, sizeof(empty));
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(block.at(0)));
    return ReadRemoteText(block.at(0), kTextChars);
}

std::wstring RunningProgram::ColumnCaption(HWND list, int index) const {
    RemoteBlock block(process_.hProcess, kTextOffset + kTextChars * sizeof(wchar_t));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = static_cast<wchar_t*>(block.at(kTextOffset));
    column.cchTextMax = static_cast<int>(kTextChars);
    block.Write(0, &column, sizeof(column));
    SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block.at(0)));
    return ReadRemoteText(block.at(kTextOffset), kTextChars);
}

std::wstring RunningProgram::TreeItemText(HWND tree, HTREEITEM item) const {
    RemoteBlock block(process_.hProcess, kTextOffset + kTextChars * sizeof(wchar_t));
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = static_cast<wchar_t*>(block.at(kTextOffset));
    tv.cchTextMax = static_cast<int>(kTextChars);
    block.Write(0, &tv, sizeof(tv));
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block.at(0)));
    return ReadRemoteText(block.at(kTextOffset), kTextChars);
}

std::wstring RunningProgram::ItemText(HWND list, int row, int subItem) const {
    RemoteBlock block(process_.hProcess, kTextOffset + kTextChars * sizeof(wchar_t));
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = static_cast<wchar_t*>(block.at(kTextOffset));
    item.cchTextMax = static_cast<int>(kTextChars);
    block.Write(0, &item, sizeof(item));
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.at(0)));
    return ReadRemoteText(block.at(kTextOffset), kTextChars);
}

RECT RunningProgram::TreeItemRect(HWND tree, HTREEITEM item) const {
    RemoteBlock block(process_.hProcess, sizeof(RECT));
    RECT rect{};
    *reinterpret_cast<HTREEITEM*>(&rect) = item;  // the item goes in, its rectangle comes out
    block.Write(0, &rect, sizeof(rect));
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(block.at(0)));
    SIZE_T read = 0;
    ReadProcessMemory(process_.hProcess, block.at(0), &rect, sizeof(rect), &read);
    return rect;
}

RECT RunningProgram::ItemRect(HWND list, int row) const {
    RemoteBlock block(process_.hProcess, sizeof(RECT));
    RECT rect{LVIR_LABEL, 0, 0, 0};
    block.Write(0, &rect, sizeof(rect));
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.at(0)));
    SIZE_T read = 0;
    ReadProcessMemory(process_.hProcess, block.at(0), &rect, sizeof(rect), &read);
    return rect;
}

std::wstring InstallOrvane(const std::wstring& programFolder) {
    const std::wstring exe = programFolder + L"Orvane.exe";
    return CopyFileW((ExecutableFolder() + L"Orvane.exe").c_str(), exe.c_str(), FALSE) ? exe : std::wstring();
}

HWND Child(HWND parent, int id) { return GetDlgItem(parent, id); }

void Click(HWND window, const RECT& r, bool right) {
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

}  // namespace orvane::e2e
