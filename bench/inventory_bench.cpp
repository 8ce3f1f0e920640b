// Prints how long listing a large download folder takes against a bare
// enumeration of the same folder, how long sorting takes by each column,
// and the memory a listed file costs.
//
// Usage: orvane_bench.exe FOLDER [RUNS]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ini.h"
#include "app/real_program_dialogs.h"
#include "platform/shell_ui.h"
#include "platform/folder_scan.h"
#include "ui/frm_main.h"
#include "platform/code_page.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::size_t BareEnumeration(const std::wstring& folder) {
    std::size_t files = 0;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}

// Bytes the process holds: private bytes where the system counts them,
// else the pages in use.
std::size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    if (counters.PrivateUsage) return counters.PrivateUsage;
    return counters.PagefileUsage ? counters.PagefileUsage : counters.WorkingSetSize;
}

}  // namespace

// Runs the window's messages until the list's rows are in: a listing is
// made on a worker and handed to the window's thread.
void WaitForRows(const orvane::Frm_Main& main) {
    while (main.List().Loading()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (main.List().Loading()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvane_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    orvane::ClsIni ini;
    ini.IniName = std::wstring(temp) + L"orvane-bench-Qelt.ini";
    DeleteFileW(ini.IniName.c_str());
    ini.PutIni(L"PATH", L"FILE_PATH", folder);
    orvane::RealShellUi shell;
    orvane::RealProgramDialogs dialogs(shell, temp, {0, 4, 0}, L"");
    orvane::SettingsStore settings(ini);
    orvane::AppContext app{settings, temp, shell, dialogs};

    // The first listing a user meets: in a fresh process, from the window's
    // making until the rows are in, paired with a bare enumeration just
    // before it (which also warms the cache for both).
    auto start = Clock::now();
    BareEnumeration(folder);
    const double firstBare = Milliseconds(start);
    const std::size_t memoryBefore = PrivateBytes();
    start = Clock::now();
    orvane::Frm_Main main(app);
    main.Load();
    const double made = Milliseconds(start);  // the window made, the listing started
    WaitForRows(main);
    const double first = Milliseconds(start);
    const std::size_t listed = main.List().Rows().size();
    const std::size_t memoryAfter = PrivateBytes();
    std::printf("first listing in this process (window made, rows in): %.1f ms, bare enumeration %.1f ms, ratio %.2f\n",
                first, firstBare, first / firstBare);
    std::printf("  of which making the window until the listing starts: %.1f ms\n", made);

    // A switch to the folder from another one, as a click on its node lists it.
    std::vector<double> switchBare, switched;
    for (int run = 0; run < runs; ++run) {
        main.List().ListFolder(temp, false);
        WaitForRows(main);
        start = Clock::now();
        BareEnumeration(folder);
        switchBare.push_back(Milliseconds(start));
        start = Clock::now();
        main.List().ListFolder(folder, true);
        WaitForRows(main);
        switched.push_back(Milliseconds(start));
    }
    std::printf("switch from another folder, median of %d: %.1f ms, bare enumeration %.1f ms, ratio %.2f\n", runs,
                Median(switched), Median(switchBare), Median(switched) / Median(switchBare));

    std::vector<double> bare, full;
    for (int run = 0; run < runs; ++run) {
        start = Clock::now();
        const std::size_t found = BareEnumeration(folder);
        bare.push_back(Milliseconds(start));
        start = Clock::now();
        main.List().ListFolder(folder, true);
        WaitForRows(main);
        full.push_back(Milliseconds(start));
        if (found != main.List().Rows().size() + 1)  // the list file is listed too, and counted here
            std::printf("note: enumeration found %zu files, the list shows %zu\n", found, main.List().Rows().size());
    }
    std::printf("files listed: %zu\n", listed);
    std::printf("bare enumeration, median of %d: %.1f ms\n", runs, Median(bare));
    std::printf("refresh (the same folder again), median of %d: %.1f ms\n", runs, Median(full));
    std::printf("ratio: %.2f\n", Median(full) / Median(bare));

    // Where the time goes, phase by phase.
    std::vector<double> scan, listFile, fill, sort, headers;
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        // Over the last listing's entries, as the refresh does.
        orvane::FolderScan scanned =
            orvane::ScanFolderAndDummies(folder, orvane::kPendingDummyLimit, main.List().TakeEntries());
        scan.push_back(Milliseconds(start));
        start = Clock::now();
        orvane::ReadIncompleteList(folder, scanned.entries);
        listFile.push_back(Milliseconds(start));
        start = Clock::now();
        main.List().ShowEntries(std::move(scanned.entries), folder, &scanned.dummies);
        fill.push_back(Milliseconds(start));
        start = Clock::now();
        main.List().SortFileList(1, 0);
        sort.push_back(Milliseconds(start));
        // What the reader thread does alongside the scan, done alone.
        start = Clock::now();
        for (const orvane::ScannedDummy& dummy : scanned.dummies)
            orvane::ReadDummyHeader(folder, main.List().Entries()[dummy.index].Name);
        headers.push_back(Milliseconds(start));
    }
    std::printf("  of which scan: %.1f ms, list file: %.1f ms, fill: %.1f ms, first sort by name: %.1f ms\n",
                Median(scan), Median(listFile), Median(fill), Median(sort));
    std::printf("  the 40-byte files' headers, read during the scan, read alone: %.1f ms\n", Median(headers));

    static const char* names[] = {"name", "size", "full size", "percentage", "extension", "date", "user"};
    for (int column = 1; column <= orvane::kColumnCount; ++column) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            const auto start = Clock::now();
            main.List().SortFileList(column, run % 2);
            times.push_back(Milliseconds(start));
        }
        std::printf("sort by %s (column %d), median of %d: %.1f ms\n", names[column - 1], column, runs, Median(times));
    }
    std::printf("memory per listed file: %.0f bytes\n",
                listed ? static_cast<double>(memoryAfter - memoryBefore) / static_cast<double>(listed) : 0.0);
    DeleteFileW(ini.IniName.c_str());
    return 0;
}
