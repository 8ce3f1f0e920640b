// Scanning real folders: what is listed, what is skipped, and files that
// are locked, vanish or have names outside the ANSI code page.
#include "inventory/scan_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/download_folder.h"
#include "support/temp_folder.h"

namespace orvane {
namespace {

struct ScanTest : testing::Test {
    test::TempFolder folder;
    std::wstring Path(const std::wstring& name) const { return folder / name; }
    static const FileEntry* Find(const FileEntryList& entries, const std::wstring& name) {
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const FileEntry& e) { return e.Name == name; });
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

TEST_F(ScanTest, EmptyOrMissingFoldersGiveNoEntries) {
    test::MakeFolder(Path(L"sub"));
    EXPECT_TRUE(ScanFolder(folder.path()).empty());  // a trailing backslash is fine too
    EXPECT_TRUE(ScanFolder(Path(L"missing")).empty());
    EXPECT_EQ(JoinPath(L"C:\\", L"a.txt"), L"C:\\a.txt");
    EXPECT_EQ(JoinPath(L"C:\\x", L"a.txt"), L"C:\\x\\a.txt");
}

TEST_F(ScanTest, LockedFilesAreListedAndALockedDummyCountsAsOrdinary) {
    test::MakeDummy(Path(L"[D]x.mp3"), 0x100, 3, false);
    EXPECT_TRUE(ReadDummyHeader(Path(L"[D]x.mp3")).has_value());
    HANDLE lock = CreateFileW(Path(L"[D]x.mp3").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const FileEntryList entries = ScanFolder(folder.path());
    ASSERT_NE(Find(entries, L"[D]x.mp3"), nullptr);
    EXPECT_EQ(Find(entries, L"[D]x.mp3")->Size, 40);
    EXPECT_FALSE(ReadDummyHeader(Path(L"[D]x.mp3")).has_value());
    CloseHandle(lock);

    // Gone between the scan and the look at its header.
    DeleteFileW(Path(L"[D]x.mp3").c_str());
    EXPECT_FALSE(ReadDummyHeader(Path(L"[D]x.mp3")).has_value());
    // Grown past 40 bytes since the scan: no dummy either.
    test::MakeDummy(Path(L"[D]y.mp3"), 0x100, 3, false);
    test::WriteBytes(Path(L"[D]y.mp3"), test::ReadBytes(Path(L"[D]y.mp3")) + "more");
    EXPECT_FALSE(ReadDummyHeader(Path(L"[D]y.mp3")).has_value());
}

TEST_F(ScanTest, TheClientsListFileCompletesEntriesUnlessItCannotBeRead) {
    test::MakeFile(Path(L"__INCOMPLETE___b00000064.zip"), 1);
    test::WriteAnsiText(Path(L"incomplete downloads.txt"),
                        L"Local Path:C:\\dl\\__INCOMPLETE___b00000064.zip\r\nx\r\nSize:300\r\nUser:はなこ\r\n");
    FileEntryList entries = ScanFolder(folder.path());
    ReadIncompleteList(folder.path(), entries);
    EXPECT_EQ(Find(entries, L"__INCOMPLETE___b00000064.zip")->TotalSize, 300);
    EXPECT_EQ(Find(entries, L"__INCOMPLETE___b00000064.zip")->User, L"はなこ");

    HANDLE lock = CreateFileW(Path(L"incomplete downloads.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
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

}  // namespace
}  // namespace orvane
