// Driving the real Orvane.exe from another process: starting it, finding
// its windows and reading what its controls show.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace orvane::e2e {

class RunningProgram {
public:
    // Starts the executable in its own folder.
    explicit RunningProgram(const std::wstring& exePath);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    // The first visible top-level window of the given class, waiting for it.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = 60000) const;
    // Waits until no window of the class is left; false on time-out.
    bool WaitUntilGone(const wchar_t* className, DWORD timeoutMs = 20000) const;
    HWND FindWindowOfClass(const wchar_t* className, bool visibleOnly) const;
    // Waits for the process to end; its exit code, or -1 on time-out.
    long WaitForExit(DWORD timeoutMs = 30000);

    // Control texts read through memory in the program's own process.
    std::wstring StatusText(HWND bar, int part) const;
    std::wstring ColumnCaption(HWND list, int index) const;
    std::wstring TreeItemText(HWND tree, HTREEITEM item) const;
    std::wstring ItemText(HWND list, int row, int subItem) const;
    RECT TreeItemRect(HWND tree, HTREEITEM item) const;
    RECT ItemRect(HWND list, int row) const;  // the row's label, in the list's client area

private:
    std::wstring ReadRemoteText(void* remote, std::size_t chars) const;
    PROCESS_INFORMATION process_{};
};

// Copies the Orvane.exe that lies beside this test into a program folder
// (ending in a backslash); its path there, or empty when that failed.
std::wstring InstallOrvane(const std::wstring& programFolder);

// A child of the main window by its control id.
HWND Child(HWND parent, int id);

// A click in the middle of a rectangle of the window's client area, posted
// as the mouse would send it (button down, then up).
void Click(HWND window, const RECT& r, bool right = false);

// Polls until the condition holds, for about ten seconds; the last answer.
template <typename Condition>
bool WaitFor(Condition condition) {
    for (int i = 0; i < 100; ++i) {
        if (condition()) return true;
        Sleep(100);
    }
    return condition();
}

}  // namespace orvane::e2e
