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

#include "timing.h"
#include "platform/ini.h"
#include "app/real_program_dialogs.h"
#include "platform/shell_ui.h"
#include "platform/folder_scan.h"
#include "ui/frm_main.h"
#include "platform/code_page.h"
#include "bare_enumeration.h"
#include "core/incomplete_list.h"
#include "platform/locale_text.h"

namespace {

using orvane::bench::Clock;
using orvane::bench::Median;
using orvane::bench::Milliseconds;

// The time against both bare enumerations of the folder.
void PrintAgainstBare(const char* what, double ms, double search, double blocks) {
    std::printf("%s: %.1f ms; bare enumeration by search %.1f ms (ratio %.2f), in blocks %.1f ms (ratio %.2f)\n", what,
                ms, search, ms / search, blocks, ms / blocks);
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
    const std::wstring empty = std::wstring(temp) + L"orvane-bench-empty";
    CreateDirectoryW(empty.c_str(), nullptr);
    ini.PutIni(L"PATH", L"FILE_PATH", empty);
    orvane::RealShellUi shell;
    orvane::RealProgramDialogs dialogs(shell, temp, {0, 4, 0}, L"");
    orvane::SettingsStore settings(ini);
    orvane::AppContext app{settings, temp, shell, dialogs};

    // The first listing in a fresh process: the window is made on an empty
    // folder, then lists this one over fresh memory. Each listing is paired
    // with the bare enumerations just before it (the first of which warms
    // the cache for all).
    auto start = Clock::now();
    orvane::Frm_Main main(app);
    main.Load();
    WaitForRows(main);
    std::printf("window made on an empty folder: %.1f ms\n", Milliseconds(start));
    // The folder becomes the client's, whose list file a listing reads.
    settings.Change({orvane::SettingKey::FilePath}, [&folder](orvane::Settings& s) { s.filePath = folder; });
    orvane::bench::BareSearch(folder);
    start = Clock::now();
    orvane::bench::BareSearch(folder);
    const double firstSearch = Milliseconds(start);
    start = Clock::now();
    orvane::bench::BareBlocks(folder);
    const double firstBlocks = Milliseconds(start);
    const std::size_t memoryBefore = PrivateBytes();
    start = Clock::now();
    main.List().ListFolder(folder, true);
    WaitForRows(main);
    const double first = Milliseconds(start);
    const std::size_t listed = main.List().Rows().size();
    const std::size_t memoryAfter = PrivateBytes();
    PrintAgainstBare("first listing in this process", first, firstSearch, firstBlocks);

    const std::size_t listable = orvane::bench::ListedFiles(folder);
    // A switch to the folder from another one, as a click on its node lists
    // it, and a refresh of the folder shown (F5).
    for (const bool fromAnother : {true, false}) {
        std::vector<double> search, blocks, listing;
        for (int run = 0; run < runs; ++run) {
            if (fromAnother) {
                main.List().ListFolder(empty, false);
                WaitForRows(main);
            }
            start = Clock::now();
            orvane::bench::BareSearch(folder);
            search.push_back(Milliseconds(start));
            start = Clock::now();
            orvane::bench::BareBlocks(folder);
            blocks.push_back(Milliseconds(start));
            start = Clock::now();
            main.List().ListFolder(folder, true);
            WaitForRows(main);
            listing.push_back(Milliseconds(start));
            if (main.List().Rows().size() != listable)
                std::printf("note: the folder holds %zu files to list, the list shows %zu\n", listable,
                            main.List().Rows().size());
        }
        const std::string what = fromAnother ? "switch from another folder, median of " + std::to_string(runs)
                                             : "refresh (the same folder again), median of " + std::to_string(runs);
        PrintAgainstBare(what.c_str(), Median(listing), Median(search), Median(blocks));
    }
    std::printf("files listed: %zu\n", listed);

    // Where a refresh's time goes, step by step as the listing's worker
    // takes them, over the last listing's memory.
    std::vector<double> scan, listFile, fill, sort, headers;
    const orvane::LocaleCollator collator;
    orvane::FileEntryList entries = main.List().TakeEntries();
    std::vector<orvane::FileRow> rows;
    for (int run = 0; run < runs; ++run) {
        start = Clock::now();
        orvane::FolderScan scanned = orvane::ScanFolderAndDummies(folder, orvane::kPendingDummyLimit,
                                                                  std::move(entries), {}, nullptr, &collator);
        scan.push_back(Milliseconds(start));
        start = Clock::now();
        if (std::any_of(scanned.entries.begin(), scanned.entries.end(),
                        [](const orvane::FileEntry& e) { return orvane::NamesIncompleteList(e.Name); }))
            orvane::ReadIncompleteList(folder, scanned.entries);
        listFile.push_back(Milliseconds(start));
        start = Clock::now();
        rows =
            orvane::BuildRows(scanned.entries, {},
                              orvane::ScannedDummyReader(scanned.entries, &scanned.dummies, folder), std::move(rows));
        orvane::AdoptNameKeys(rows, scanned.nameKeys);
        fill.push_back(Milliseconds(start));
        start = Clock::now();
        orvane::SortRows(rows, 1, 0, collator);
        sort.push_back(Milliseconds(start));
        // What the reader thread does alongside the scan, done alone.
        start = Clock::now();
        for (const orvane::ScannedDummy& dummy : scanned.dummies)
            orvane::ReadDummyHeader(folder, scanned.entries[dummy.index].Name);
        headers.push_back(Milliseconds(start));
        entries = std::move(scanned.entries);
    }
    std::printf(
        "  of which scan (the names' sort keys made alongside): %.1f ms, list file: %.1f ms, rows: %.1f ms, "
        "sort by name: %.1f ms\n",
        Median(scan), Median(listFile), Median(fill), Median(sort));
    std::printf("  the 40-byte files' headers, read during the scan, read alone: %.1f ms\n", Median(headers));
    main.List().ShowEntries(std::move(entries), folder, nullptr);

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
    RemoveDirectoryW(empty.c_str());
    return 0;
}
