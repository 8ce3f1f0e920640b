#include "support/temp_folder.h"

#include <shellapi.h>

#include <atomic>

namespace orvane::test {

namespace {
std::atomic<int> g_counter{0};
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    // A folder of its own: one left by a crashed test (process ids come back
    // under Wine) is never reused.
    do {
        path_ = std::wstring(base) + L"orvane-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(g_counter++) + L"\\";
    } while (!CreateDirectoryW(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder() {
    std::wstring from = path_.substr(0, path_.size() - 1);
    from.push_back(L'\0');
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeFolder(const std::wstring& path) { CreateDirectoryW(path.c_str(), nullptr); }

namespace {

struct Pending {
    void (*fn)(HWND, void*) = nullptr;
    void* context = nullptr;
};
Pending g_pending;

// The first enabled top-level window of this thread with the class name.
HWND ThreadWindowOfClass(const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        HWND found;
    } search{className, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) == s->className && IsWindowEnabled(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = ThreadWindowOfClass(L"#32770");
    if (!dialog || !IsWindowVisible(dialog)) return;  // not up yet: try again at the next tick
    KillTimer(nullptr, id);
    const Pending pending = g_pending;
    g_pending = {};
    pending.fn(dialog, pending.context);
}

}  // namespace

void WhenDialogShows(void (*fn)(HWND, void*), void* context) {
    g_pending = {fn, context};
    SetTimer(nullptr, 0, 20, OnTimer);
}

}  // namespace orvane::test

namespace orvane::test {

namespace {

struct PendingMenu {
    void (*fn)(HWND, HMENU, void*) = nullptr;
    void* context = nullptr;
};
PendingMenu g_pendingMenu;

void CALLBACK OnMenuTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = ThreadWindowOfClass(L"#32768");
    if (popup && !IsWindowVisible(popup)) popup = nullptr;
    if (!popup) return;
    KillTimer(nullptr, id);
    const PendingMenu pending = g_pendingMenu;
    g_pendingMenu = {};
    pending.fn(popup, reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)), pending.context);
}

}  // namespace

void WhenMenuShows(void (*fn)(HWND, HMENU, void*), void* context) {
    g_pendingMenu = {fn, context};
    SetTimer(nullptr, 0, 20, OnMenuTimer);
}

}  // namespace orvane::test
