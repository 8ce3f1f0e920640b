// Scanning real folders: what is listed, what is skipped, and files that
// are locked, vanish or have names outside the ANSI code page.
#include "platform/folder_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

#include "support/download_folder.h"
#include "support/hang_guard.h"
#include "support/temp_folder.h"
#include "platform/paths.h"

namespace orvane {
namespace {

struct ScanTest : testing::Test {
    test::TempFolder folder;
    std::wstring Path(const std::wstring& name) const { return folder / name; }
    static const FileEntry* Find(const FileEntryList& entries, const std::wstring& name) {
        const auto it =
            std::find_if(entries.begin(), entries.end(), [&](const FileEntry& e) { return e.Name == name; });
        return it == entries.end() ? nullptr : &*it;
    }
};

TEST_F(ScanTest, ListsPlainFilesWithSizeTimeAndFullSizeFromTheName) {
    const SYSTEMTIME when{2003, 4, 1, 28, 9, 5, 0, 0};
    test::MakeFile(Path(L"song.mp3"), 3000000000LL, &when);  // larger than 2 GB is shown as it is
    test::MakeFile(Path(L"__INCOMPLETE___x7FFFFFFF.dat"), 1);
    test::MakeFile(Path(L"__INCOMPLETE___xFFFFFFFF.dat"), 1);
    test::MakeFile(Path(L"한국어 노래.mp3"), 5);  // not in code page 932, listed all the same
    test::MakeFile(Path(L"readonly.txt"), 1);
    SetFileAttributesW(Path(L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    test::MakeFile(Path(L"hidden.txt"), 1);
    SetFileAttributesW(Path(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    test::MakeFolder(Path(L"sub"));

    const FileEntryList entries = ScanFolder(folder.path().substr(0, folder.path().size() - 1));
    EXPECT_EQ(entries.size(), 5u);
    ASSERT_NE(Find(entries, L"song.mp3"), nullptr);
    EXPECT_EQ(Find(entries, L"song.mp3")->Size, 3000000000LL);
    EXPECT_EQ(Find(entries, L"song.mp3")->TotalSize, -1);
    // 2003-04-28 09:05 local: 37739 days after 1899-12-30, plus the time of day.
    EXPECT_NEAR(Find(entries, L"song.mp3")->Modified, 37739 + (9 * 60 + 5) / 1440.0, 1e-6);
    EXPECT_EQ(Find(entries, L"__INCOMPLETE___x7FFFFFFF.dat")->TotalSize, 2147483647);
    EXPECT_EQ(Find(entries, L"__INCOMPLETE___xFFFFFFFF.dat")->TotalSize, -1);
    ASSERT_NE(Find(entries, L"한국어 노래.mp3"), nullptr);
    EXPECT_NE(Find(entries, L"readonly.txt"), nullptr);
    EXPECT_EQ(Find(entries, L"hidden.txt"), nullptr);
    EXPECT_EQ(Find(entries, L"sub"), nullptr);
    SetFileAttributesW(Path(L"readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ScanTest, ReadingInBlocksListsWhatASearchLists) {
    // Long names, so that the folder takes more than one block to read.
    for (int i = 0; i < 2000; ++i)
        test::MakeFile(Path(std::wstring(240, L'n') + std::to_wstring(i) + L".mp3"), i, nullptr);
    const std::wstring dotted = VerbatimPath(folder.path(), L"ends in a dot.");
    test::MakeFile(dotted, 7);
    test::MakeFile(Path(L"hidden.txt"), 1);
    SetFileAttributesW(Path(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    test::MakeFolder(Path(L"sub"));
    const auto sorted = [](FileEntryList entries) {
        std::vector<std::tuple<std::wstring, std::int64_t, std::int32_t, double>> files;
        for (const FileEntry& e : entries) files.emplace_back(e.Name, e.Size, e.TotalSize, e.Modified);
        std::sort(files.begin(), files.end());
        return files;
    };
    const auto inBlocks = sorted(ScanFolder(folder.path(), {}, FolderReading::InBlocks));
    EXPECT_EQ(inBlocks.size(), 2001u);
    EXPECT_EQ(std::get<0>(inBlocks.front()), L"ends in a dot.");
    EXPECT_EQ(inBlocks, sorted(ScanFolder(folder.path(), {}, FolderReading::BySearch)));
    // The names' sort keys, made on the side in batches, each for its own entry.
    const Collator collator;
    const FolderScan keyed = ScanFolderAndDummies(folder.path(), kPendingDummyLimit, {}, {}, nullptr, &collator);
    ASSERT_EQ(keyed.nameKeys.size(), keyed.entries.size());
    for (std::size_t i = 0; i < keyed.entries.size(); ++i)
        ASSERT_EQ(keyed.nameKeys[i], NameSortKey(keyed.entries[i].Name, collator)) << i;
    EXPECT_TRUE(ScanFolderAndDummies(folder.path()).nameKeys.empty());  // only when asked for
    // Told to stop half way, a scan ends with part of the folder.
    int asked = 0;
    const std::size_t part = ScanFolder(folder.path(), [&asked] { return ++asked > 1500; }).size();
    EXPECT_LE(part, 1500u);
    EXPECT_GE(part, 1500u - 4u);  // less ".", "..", the hidden file and the sub-folder
    DeleteFileW(dotted.c_str());
}

TEST_F(ScanTest, TimesBeforeTheBaseDateCountTheDayBackAndTheTimeOfDayForward) {
    const auto ticks = [](const SYSTEMTIME& local) {
        FILETIME localTime{}, utc{};
        SystemTimeToFileTime(&local, &localTime);
        LocalFileTimeToFileTime(&localTime, &utc);
        return (static_cast<unsigned long long>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    };
    EXPECT_EQ(LocalDaysFromFileTime(ticks({1899, 12, 0, 30, 0, 0, 0, 0})), 0);
    EXPECT_EQ(LocalDaysFromFileTime(ticks({1899, 12, 0, 29, 23, 59, 0, 0})), -1 - 1439 / 1440.0);
    EXPECT_EQ(LocalDaysFromFileTime(ticks({1899, 12, 0, 29, 0, 0, 0, 0})), -1);
    EXPECT_EQ(LocalDaysFromFileTime(ticks({1899, 12, 0, 29, 6, 0, 0, 0})), -1.25);
    EXPECT_EQ(LocalDaysFromFileTime(ticks({1899, 12, 0, 29, 18, 0, 0, 0})), -1.75);
    // (A file cannot be dated before 1901 here: Wine stores the time as 32-bit seconds.)
}

TEST_F(ScanTest, EmptyOrMissingFoldersGiveNoEntries) {
    test::MakeFolder(Path(L"sub"));
    EXPECT_TRUE(ScanFolder(folder.path()).empty());  // a trailing backslash is fine too
    EXPECT_TRUE(ScanFolder(Path(L"missing")).empty());
}

TEST_F(ScanTest, LockedFilesAreListedAndALockedDummyCountsAsOrdinary) {
    test::MakeDummy(Path(L"[D]x.mp3"), 0x100, 3, false);
    EXPECT_TRUE(ReadDummyHeader(folder.path(), L"[D]x.mp3").has_value());
    HANDLE lock = CreateFileW(Path(L"[D]x.mp3").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const FileEntryList entries = ScanFolder(folder.path());
    ASSERT_NE(Find(entries, L"[D]x.mp3"), nullptr);
    EXPECT_EQ(Find(entries, L"[D]x.mp3")->Size, 40);
    EXPECT_FALSE(ReadDummyHeader(folder.path(), L"[D]x.mp3").has_value());
    CloseHandle(lock);

    // Gone between the scan and the look at its header.
    DeleteFileW(Path(L"[D]x.mp3").c_str());
    EXPECT_FALSE(ReadDummyHeader(folder.path(), L"[D]x.mp3").has_value());
    // Grown past 40 bytes since the scan: no dummy either.
    test::MakeDummy(Path(L"[D]y.mp3"), 0x100, 3, false);
    test::WriteBytes(Path(L"[D]y.mp3"), test::ReadBytes(Path(L"[D]y.mp3")) + "more");
    EXPECT_FALSE(ReadDummyHeader(folder.path(), L"[D]y.mp3").has_value());
}

TEST_F(ScanTest, HeadersReadWhileScanningLandOnTheirOwnEntries) {
    // Dummies among plain files, 40-byte files that are none, and a locked
    // dummy whose open fails as one gone since the enumeration would.
    for (std::uint32_t i = 1; i <= 5; ++i) {
        test::MakeDummy(Path(L"d" + std::to_wstring(i) + L".mp3"), i * 0x100, 1, false);
        test::MakeFile(Path(L"p" + std::to_wstring(i) + L".txt"), 39 + i);  // p1 is 40 bytes
        test::WriteBytes(Path(L"x" + std::to_wstring(i) + L".txt"), std::string(40, 'x'));
    }
    HANDLE lock = CreateFileW(Path(L"d5.mp3").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    // In the loop only; a bound of one, so that most are read in the loop
    // beside the thread; room for all.
    for (const std::size_t limit : {std::size_t{0}, std::size_t{1}, kPendingDummyLimit}) {
        const FolderScan scan = ScanFolderAndDummies(folder.path(), limit);
        ASSERT_EQ(scan.entries.size(), 15u);
        ASSERT_EQ(scan.dummies.size(), 11u) << limit;
        for (std::size_t i = 0; i < scan.dummies.size(); ++i) {
            const ScannedDummy& dummy = scan.dummies[i];
            ASSERT_LT(dummy.index, scan.entries.size());
            if (i > 0) EXPECT_LT(scan.dummies[i - 1].index, dummy.index);
            const std::wstring& name = scan.entries[dummy.index].Name;
            EXPECT_EQ(scan.entries[dummy.index].Size, 40);
            if (name[0] == L'd' && name != L"d5.mp3") {
                ASSERT_TRUE(dummy.header.has_value()) << limit << ' ' << testing::PrintToString(name);
                EXPECT_EQ(dummy.header->sourceSize, (name[1] - L'0') * 0x100) << limit;
            } else {
                EXPECT_FALSE(dummy.header.has_value()) << limit << ' ' << testing::PrintToString(name);
            }
        }
    }
    CloseHandle(lock);

    // Made over a longer listing's entries: the entries of a fresh scan, nothing of the old ones left.
    const auto fields = [](const FileEntry& e) {
        return std::tie(e.Name, e.Size, e.TotalSize, e.Modified, e.User, e.DummyFlag);
    };
    const FileEntry old{std::wstring(300, L'o'), 7, 9, 1.5, L"user", true};
    const FileEntryList fresh = ScanFolder(folder.path());
    const FolderScan over = ScanFolderAndDummies(folder.path(), kPendingDummyLimit, FileEntryList(20, old));
    ASSERT_EQ(over.entries.size(), fresh.size());
    for (std::size_t i = 0; i < fresh.size(); ++i) EXPECT_EQ(fields(over.entries[i]), fields(fresh[i])) << i;
    EXPECT_TRUE(ScanFolderAndDummies(Path(L"missing"), kPendingDummyLimit, FileEntryList(3, old)).entries.empty());
    EXPECT_LT(ScanFolderAndDummies(folder.path(), 0, FileEntryList(5000)).entries.capacity(), 5000u);
}

TEST_F(ScanTest, TheClientsListFileCompletesEntriesUnlessItCannotBeRead) {
    test::MakeFile(Path(L"__INCOMPLETE___b00000064.zip"), 1);
    test::WriteAnsiText(Path(L"incomplete downloads.txt"),
                        L"Local Path:C:\\dl\\__INCOMPLETE___b00000064.zip\r\nx\r\nSize:300\r\nUser:はなこ\r\n");
    FileEntryList entries = ScanFolder(folder.path());
    ReadIncompleteList(folder.path(), entries);
    EXPECT_EQ(Find(entries, L"__INCOMPLETE___b00000064.zip")->TotalSize, 300);
    EXPECT_EQ(Find(entries, L"__INCOMPLETE___b00000064.zip")->User, L"はなこ");

    HANDLE lock =
        CreateFileW(Path(L"incomplete downloads.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    entries = ScanFolder(folder.path());
    ReadIncompleteList(folder.path(), entries);  // locked: the sizes from the names stay
    EXPECT_EQ(Find(entries, L"__INCOMPLETE___b00000064.zip")->TotalSize, 100);
    EXPECT_EQ(Find(entries, L"__INCOMPLETE___b00000064.zip")->User, L"");
    CloseHandle(lock);

    SetFileAttributesW(Path(L"incomplete downloads.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    entries = ScanFolder(folder.path());
    ReadIncompleteList(folder.path(), entries);  // hidden counts as missing
    EXPECT_EQ(Find(entries, L"__INCOMPLETE___b00000064.zip")->TotalSize, 100);
}

TEST_F(ScanTest, FilesNamedLikeDevicesAreReadAsTheFilesTheyAre) {
    // A plain path to any of these opens a device (or, for "dot.", the file "dot").
    const std::vector<std::wstring> names{L"aux.mp3", L"com1.mp3", L"nul.txt", L"con", L"lpt1.x", L"conin$", L"dot."};
    struct Remove {
        const std::wstring& folder;
        const std::vector<std::wstring>& names;
        ~Remove() {
            for (const std::wstring& name : names) DeleteFileW(VerbatimPath(folder, name).c_str());
        }
    } remove{folder.path(), names};
    for (const std::wstring& name : names) test::MakeDummy(VerbatimPath(folder.path(), name), 0x100, 1, false);
    test::WriteAnsiText(Path(L"incomplete downloads.txt"), L"Local Path:C:\\dl\\con\r\nx\r\nSize:300\r\nUser:u\r\n");

    test::HangGuard guard("reading device-named files", 30000);
    FileEntryList entries = ScanFolder(folder.path());
    ReadIncompleteList(folder.path(), entries);
    EXPECT_EQ(entries.size(), names.size() + 1);
    for (const std::wstring& name : names) {
        const std::optional<DummyHeader> header = ReadDummyHeader(folder.path(), name);
        ASSERT_TRUE(header.has_value()) << testing::PrintToString(name);
        EXPECT_EQ(header->sourceSize, 0x100);
    }
    ASSERT_NE(Find(entries, L"con"), nullptr);
    EXPECT_EQ(Find(entries, L"con")->TotalSize, 300);
}

}  // namespace
}  // namespace orvane
