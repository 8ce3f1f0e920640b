// Prints what the first listing costs as a user meets it, timed from
// outside: the real Orvane.exe is started on a folder and timed until its
// count panel names the folder's files, then started on an empty folder;
// the difference is the listing. Each is paired with a bare enumeration of
// the folder in the same run.
//
// Usage: orvane_startup_bench.exe FOLDER [RUNS]   (Orvane.exe lies beside it)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "timing.h"
#include "bare_enumeration.h"
#include "e2e/remote_window.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "ui/commands.h"

namespace {

using orvane::bench::Clock;
using orvane::bench::Median;
using orvane::bench::Milliseconds;

// From the start of the program until its count panel says "N ﾌｧｲﾙ"; the
// program is closed again. A negative time when it never did.
double StartUntilCounted(const std::wstring& exe, const std::wstring& programFolder, const std::wstring& folder,
                         std::size_t files) {
    orvane::ClsIni ini;
    ini.IniName = programFolder + L"Qelt.ini";
    DeleteFileW(ini.IniName.c_str());
    ini.PutIni(L"PATH", L"FILE_PATH", folder);
    const std::wstring counted = std::to_wstring(files) + L" ﾌｧｲﾙ";
    const auto start = Clock::now();
    orvane::e2e::RunningProgram program(exe);
    double took = -1;
    HWND main = nullptr;
    while (Milliseconds(start) < 120000) {
        if (!main) main = program.FindWindowOfClass(L"Orvane.Main", true);
        if (main && program.StatusText(orvane::e2e::Child(main, orvane::kIdStatus), 1) == counted) {
            took = Milliseconds(start);
            break;
        }
        Sleep(2);
    }
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    program.WaitForExit(30000);
    return took;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvane_startup_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring programFolder = std::wstring(temp) + L"orvane-startup-bench\\";
    const std::wstring empty = programFolder + L"empty";
    CreateDirectoryW(programFolder.c_str(), nullptr);
    CreateDirectoryW(empty.c_str(), nullptr);
    const std::wstring exe = orvane::e2e::InstallOrvane(programFolder);
    if (exe.empty()) {
        std::fprintf(stderr, "no Orvane.exe beside the benchmark\n");
        return 1;
    }
    const std::size_t files = orvane::bench::ListedFiles(folder);

    std::vector<double> full, none, search, blocks;
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        orvane::bench::BareSearch(folder);
        search.push_back(Milliseconds(start));
        start = Clock::now();
        orvane::bench::BareBlocks(folder);
        blocks.push_back(Milliseconds(start));
        full.push_back(StartUntilCounted(exe, programFolder, folder, files));
        none.push_back(StartUntilCounted(exe, programFolder, empty, 0));
        std::printf("run %d: %zu files counted after %.0f ms, an empty folder after %.0f ms\n", run + 1, files,
                    full.back(), none.back());
        if (full.back() < 0 || none.back() < 0) {
            std::printf("the count panel never named the files\n");
            return 1;
        }
    }
    const double listing = Median(full) - Median(none);
    std::printf("first listing as a user meets it (start until counted, less an empty folder), median of %d: %.1f ms\n",
                runs, listing);
    std::printf("bare enumeration, median of %d: by search %.1f ms (ratio %.2f), in blocks %.1f ms (ratio %.2f)\n",
                runs, Median(search), listing / Median(search), Median(blocks), listing / Median(blocks));
    DeleteFileW((programFolder + L"Qelt.ini").c_str());
    return 0;
}
