// Prints what one update of a followed folder costs against a full listing
// of it: a folder of many files shown, a hundred of them growing.
//
// Usage: orvane_update_bench.exe FOLDER [RUNS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "timing.h"
#include "core/incomplete_list.h"
#include "platform/folder_scan.h"
#include "platform/paths.h"
#include "core/file_list_model.h"
#include "core/list_changes.h"
#include "platform/locale_text.h"

namespace {

using namespace orvane;
using orvane::bench::Clock;
using orvane::bench::Median;
using orvane::bench::Milliseconds;

constexpr std::size_t kGrowing = 100;

DummyReader ReaderFor(const std::wstring& folder) {
    return [folder](const FileEntry& entry) { return ReadDummyHeader(folder, entry.Name); };
}

// What the refresh command does to the rows: scan (the headers read beside
// it, over the last listing's entries), list file, fill (over the last
// listing's rows), first sort by name.
void FullListing(const std::wstring& folder, const Collator& collator, FileEntryList& entries,
                 std::vector<FileRow>& rows) {
    FolderScan scan = ScanFolderAndDummies(folder, kPendingDummyLimit, std::move(entries));
    entries = std::move(scan.entries);
    ReadIncompleteList(folder, entries);
    std::size_t next = 0;  // the dummies come in the entries' order, as the rows are built
    rows = BuildRows(
        entries, DummyDisplay{},
        [&](const FileEntry& entry) -> std::optional<DummyHeader> {
            const auto index = static_cast<std::size_t>(&entry - entries.data());
            while (next < scan.dummies.size() && scan.dummies[next].index < index) ++next;
            if (next < scan.dummies.size() && scan.dummies[next].index == index) return scan.dummies[next].header;
            return ReadDummyHeader(folder, entry.Name);
        },
        std::move(rows));
    SortRows(rows, static_cast<int>(Column::FileName), 0, collator);
}

void Grow(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, "x", 1, &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvane_update_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    const LocaleCollator collator;

    std::vector<double> full;
    FileEntryList entries;
    std::vector<FileRow> rows;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        FullListing(folder, collator, entries, rows);
        full.push_back(Milliseconds(start));
    }
    if (rows.size() < kGrowing) {
        std::fprintf(stderr, "the folder holds too few files\n");
        return 1;
    }
    std::vector<std::wstring> growing;
    for (std::size_t i = 0; i < kGrowing; ++i) growing.push_back(rows[i * (rows.size() / kGrowing)].key);
    const std::vector<std::wstring> listLines = ReadIncompleteListLines(folder);

    // One update as the watch and the window make it: each named file read
    // afresh, its rows built, merged into the sorted rows.
    SizeTally tally;
    std::vector<double> updates, reads, merges;
    double first = 0;
    for (int run = 0; run <= runs; ++run) {
        for (const std::wstring& name : growing) Grow(JoinPath(folder, name));
        const auto start = Clock::now();
        FileEntryList present;
        for (const std::wstring& name : growing)
            if (auto entry = ScanOneFile(folder, name)) present.push_back(std::move(*entry));
        ApplyIncompleteList(listLines, present);
        const double read = Milliseconds(start);
        RowChanges changes;
        changes.present = BuildRows(present, DummyDisplay{}, ReaderFor(folder));
        const auto merging = Clock::now();
        MergeChanges(rows, tally, std::move(changes), static_cast<int>(Column::FileName), 0, collator, std::nullopt,
                     UpperCaseText);
        (run == 0 ? first : updates.emplace_back()) = Milliseconds(start);
        if (run > 0) {
            reads.push_back(read);
            merges.push_back(Milliseconds(merging));
        }
    }

    const double fullMs = Median(full), updateMs = Median(updates);
    std::printf("files shown:                      %zu\n", rows.size());
    std::printf("full listing (median of %d):       %.1f ms\n", runs, fullMs);
    std::printf("update, %zu files grown (median):  %.2f ms  (%.2f%% of the full listing)\n", kGrowing, updateMs,
                100 * updateMs / fullMs);
    std::printf("  of which reading the files:     %.2f ms, merging the rows: %.2f ms\n", Median(reads),
                Median(merges));
    std::printf("first update after a listing:     %.2f ms  (counts the sizes once)\n", first);
    return 0;
}
