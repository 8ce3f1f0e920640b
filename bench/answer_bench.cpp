// Prints how long the real main window takes to answer while it lists a big
// folder: a thread asks it a question (WM_NULL) every 10 ms and times each
// answer, during a tree click that lists the folder and during F5.
//
// Usage: orvane_answer_bench.exe FOLDER [RUNS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/real_program_dialogs.h"
#include "platform/code_page.h"
#include "platform/ini.h"
#include "platform/shell_ui.h"
#include "ui/commands.h"
#include "ui/frm_main.h"

namespace {

using Clock = std::chrono::steady_clock;

// Asks the window a question every 10 ms while measuring is on.
class Prober {
public:
    explicit Prober(HWND window) : window_(window), thread_([this] { Run(); }) {}
    ~Prober() {
        stop_ = true;
        thread_.join();
    }
    void Measure(bool on) {
        if (on) {
            const std::lock_guard lock(mutex_);
            times_.clear();
        }
        measuring_ = on;
    }
    std::vector<double> Times() {
        const std::lock_guard lock(mutex_);
        return times_;
    }

private:
    void Run() {
        while (!stop_) {
            if (measuring_) {
                const auto start = Clock::now();
                DWORD_PTR result = 0;
                SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
                const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                const std::lock_guard lock(mutex_);
                times_.push_back(ms);
            }
            Sleep(10);
        }
    }
    HWND window_;
    std::atomic<bool> stop_{false}, measuring_{false};
    std::mutex mutex_;
    std::vector<double> times_;
    std::thread thread_;
};

// Runs the window's messages until done holds.
template <class Done>
void PumpUntil(const Done& done) {
    while (!done()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// A click on a node, as the mouse posts it.
void ClickNode(HWND tree, HTREEITEM item) {
    RECT r{};
    TreeView_GetItemRect(tree, item, &r, TRUE);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tree, WM_LBUTTONUP, 0, at);
}

void Report(const char* what, std::vector<double> times) {
    if (times.empty()) {
        std::printf("%s: no answers timed\n", what);
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("%s: %zu questions, longest answer %.1f ms, median %.1f ms\n", what, times.size(), times.back(),
                times[times.size() / 2]);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvane_answer_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    // A program folder of its own: the big folder is the client's, and a
    // small registered one is clicked between the listings.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring program = std::wstring(temp) + L"orvane-answer-bench\\";
    const std::wstring small = program + L"small";
    CreateDirectoryW(program.c_str(), nullptr);
    CreateDirectoryW(small.c_str(), nullptr);
    orvane::ClsIni ini;
    ini.IniName = program + L"Qelt.ini";
    DeleteFileW(ini.IniName.c_str());
    ini.PutIni(L"PATH", L"FILE_PATH", folder);
    const std::string line = orvane::ToAnsi(L"Small," + small + L"\r\n");
    const HANDLE data =
        CreateFileW((program + L"Orvane.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(data, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(data);

    orvane::RealShellUi shell;
    orvane::RealProgramDialogs dialogs(shell, program, {0, 4, 0}, L"");
    orvane::SettingsStore settings(ini);
    orvane::AppContext app{settings, program, shell, dialogs};
    orvane::Frm_Main main(app);
    main.Load();
    main.Show(SW_SHOWNOACTIVATE);
    const auto listed = [&main](std::size_t rows) {
        return [&main, rows] { return !main.List().Loading() && main.List().Rows().size() == rows; };
    };
    PumpUntil([&main] { return !main.List().Loading(); });
    const std::size_t rows = main.List().Rows().size();
    std::printf("files listed: %zu\n", rows);

    const HWND tree = main.TVDir();
    const HTREEITEM root = TreeView_GetRoot(tree);
    const HTREEITEM node = TreeView_GetChild(tree, root);
    Prober prober(main.hwnd());
    std::vector<double> click, refresh;
    for (int run = 0; run < runs; ++run) {
        ClickNode(tree, node);
        PumpUntil(listed(0));
        prober.Measure(true);
        ClickNode(tree, root);
        PumpUntil(listed(rows));
        const auto after = Clock::now() + std::chrono::milliseconds(100);
        PumpUntil([&] { return Clock::now() > after; });
        prober.Measure(false);
        for (double t : prober.Times()) click.push_back(t);

        prober.Measure(true);
        // F5: sent, so that the command itself has run when the call returns.
        SendMessageW(main.hwnd(), WM_COMMAND, MAKEWPARAM(orvane::kCmdRefresh, 0), 0);
        PumpUntil([&] { return !main.List().Loading(); });
        // A question asked during the command is answered once it is done.
        const auto until = Clock::now() + std::chrono::milliseconds(100);
        PumpUntil([&] { return Clock::now() > until; });
        prober.Measure(false);
        for (double t : prober.Times()) refresh.push_back(t);
    }
    Report("tree click listing the folder", click);
    Report("F5 listing it again", refresh);
    DestroyWindow(main.hwnd());
    return 0;
}
