#include "mainwindow/file_list_model.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <limits>
#include <stdexcept>

namespace orvane {
namespace {

const ListColors kColors{0x111111, 0x00FF00, 0x808080, 0x0050FF};
const TextFormat kFormat;

FileEntry Entry(std::wstring name, std::int64_t size, std::int32_t total = kTotalUnknown) {
    FileEntry entry;
    entry.Name = std::move(name);
    entry.Size = size;
    entry.TotalSize = total;
    return entry;
}

const FileRow& RowOf(const std::vector<FileRow>& rows, std::wstring_view key) {
    for (const FileRow& row : rows)
        if (row.key == key) return row;
    throw std::out_of_range("no such row");
}

std::wstring Text(const std::vector<FileRow>& rows, std::wstring_view key, Column column) {
    return CellText(RowOf(rows, key), column, kFormat);
}

std::uint32_t Color(const std::vector<FileRow>& rows, std::wstring_view key, Column column) {
    return CellColor(RowOf(rows, key), column, kColors);
}

// The dummy of the examples: 4 prefix characters, a size suffix, source size 0x00100000.
const DummyHeader kDummy{0x00100000, 4, true};

DummyReader Reader(std::vector<std::wstring>* reads) {
    return [reads](const FileEntry& entry) -> std::optional<DummyHeader> {
        reads->push_back(entry.Name);
        if (entry.Name == L"[MX]song(1MB).mp3") return kDummy;
        return std::nullopt;
    };
}

TEST(FileListModel, SharedSizesAreColouredInSeparatePoolsAndPercentagesRoundDown) {
    FileEntryList entries{Entry(L"a", 1000),           Entry(L"b", 1000),      Entry(L"z1", 0),
                          Entry(L"z2", 0),             Entry(L"p", 512000, 1024000), Entry(L"q", 7, 1024000),
                          Entry(L"r", 1, 3),           Entry(L"s", 3, 1000),   Entry(L"t", 9, 0)};
    std::vector<std::wstring> reads;
    const auto rows = BuildRows(entries, {}, Reader(&reads));
    ASSERT_EQ(rows.size(), entries.size());
    EXPECT_EQ(Color(rows, L"a", Column::Size), kColors.sizeColor);
    EXPECT_EQ(Color(rows, L"b", Column::Size), kColors.sizeColor);
    EXPECT_EQ(Color(rows, L"a", Column::FileName), kColors.listText);
    EXPECT_EQ(Color(rows, L"z1", Column::Size), kColors.listText);
    EXPECT_EQ(Color(rows, L"a", Column::Total), kColors.listText);  // two "無" are no shared size
    EXPECT_EQ(Color(rows, L"p", Column::Total), kColors.sizeColor);
    EXPECT_EQ(Color(rows, L"q", Column::Total), kColors.sizeColor);
    EXPECT_EQ(Color(rows, L"p", Column::Size), kColors.listText);
    EXPECT_EQ(Color(rows, L"s", Column::Total), kColors.listText);  // 1,000 full is not 1,000 current
    EXPECT_EQ(Text(rows, L"p", Column::Total), L"1,024,000");
    EXPECT_EQ(Text(rows, L"p", Column::Percent), L"50%");
    EXPECT_EQ(Text(rows, L"r", Column::Percent), L"33%");
    EXPECT_EQ(Text(rows, L"s", Column::Percent), L"0%");
    EXPECT_EQ(Text(rows, L"a", Column::Total), L"無");
    EXPECT_EQ(Text(rows, L"a", Column::Percent), L"");
    EXPECT_EQ(Text(rows, L"t", Column::Total), L"0");
    EXPECT_EQ(Text(rows, L"t", Column::Percent), L"");
    EXPECT_TRUE(reads.empty());  // no 40-byte file, nothing opened

    EXPECT_EQ(PercentDone(3, 2), 150);
    EXPECT_EQ(PercentDone(4'000'000'000'000'000'000, 2'000'000'000), 200'000'000'000);
    EXPECT_EQ(PercentDone(5, kTotalDummy), std::nullopt);
}

TEST(FileListModel, DummyFilesAreDecidedBeforeSizesAreColouredWhereverTheyStand) {
    for (const bool dummyFirst : {true, false}) {
        FileEntryList entries{Entry(L"other.bin", 1048576), Entry(L"plain.txt", 40)};
        entries.insert(dummyFirst ? entries.begin() : entries.end(), Entry(L"[MX]song(1MB).mp3", 40));
        std::vector<std::wstring> reads;
        const auto rows = BuildRows(entries, {false, false, true}, Reader(&reads));
        const std::wstring dummy = L"[MX]song(1MB).mp3";
        EXPECT_EQ(RowOf(rows, dummy).text, L"song");
        EXPECT_EQ(Text(rows, dummy, Column::Extension), L"mp3");
        EXPECT_EQ(Text(rows, dummy, Column::Size), L"1,048,576");
        EXPECT_EQ(Text(rows, dummy, Column::Total), L"ダミー");
        EXPECT_EQ(Text(rows, dummy, Column::Percent), L"");
        EXPECT_EQ(Color(rows, dummy, Column::FileName), kColors.dummyColor);
        EXPECT_EQ(Color(rows, dummy, Column::Size), kColors.sizeColor);
        EXPECT_EQ(Color(rows, L"other.bin", Column::Size), kColors.sizeColor);
        EXPECT_EQ(Color(rows, L"plain.txt", Column::Size), kColors.listText);
        EXPECT_EQ(Text(rows, L"plain.txt", Column::Total), L"無");
        const FileEntry& changed = entries[dummyFirst ? 0 : 2];
        EXPECT_TRUE(changed.DummyFlag);
        EXPECT_EQ(changed.TotalSize, kTotalDummy);
        EXPECT_EQ(changed.Size, 1048576);

        // A second fill of the same entries does not read the known dummy again.
        reads.clear();
        BuildRows(entries, {false, false, true}, Reader(&reads));
        EXPECT_EQ(reads, std::vector<std::wstring>{L"plain.txt"});
    }

    FileEntryList entries{Entry(L"[MX]song(1MB).mp3", 40), Entry(L"plain.txt", 40)};
    std::vector<std::wstring> reads;
    const auto rows = BuildRows(entries, {true, true, false}, Reader(&reads));
    EXPECT_EQ(RowOf(rows, L"[MX]song(1MB).mp3").text, L"[MX]song(1MB).mp3");
    EXPECT_EQ(Text(rows, L"[MX]song(1MB).mp3", Column::Size), L"40");
    EXPECT_EQ(Text(rows, L"[MX]song(1MB).mp3", Column::Total), L"ダミー");
    EXPECT_EQ(Color(rows, L"plain.txt", Column::Size), kColors.sizeColor);
}

TEST(FileListModel, ExtensionIsTheTextAfterTheLastDotAsWritten) {
    EXPECT_EQ(ExtensionOf(L"README"), L"");
    EXPECT_EQ(ExtensionOf(L"a.tar.gz"), L"gz");
    EXPECT_EQ(ExtensionOf(L"Photo.JPG"), L"JPG");
    EXPECT_EQ(ExtensionOf(L"trailing."), L"");
}

TEST(FileListModel, NumbersAreGroupedInThrees) {
    EXPECT_EQ(kFormat.Number(0), L"0");
    EXPECT_EQ(kFormat.Number(999), L"999");
    EXPECT_EQ(kFormat.Number(1000), L"1,000");
    EXPECT_EQ(kFormat.Number(1234567), L"1,234,567");
    EXPECT_EQ(kFormat.Number(-1234), L"-1,234");
    EXPECT_EQ(kFormat.Number(-999), L"-999");
    EXPECT_EQ(kFormat.Number(std::numeric_limits<std::int64_t>::min()), L"-9,223,372,036,854,775,808");
}

TEST(FileListModel, DatesRoundTripToTheMinute) {
    const DateParts morning{2003, 4, 28, 9, 5, 0};
    const double value = DateFromParts(morning);
    EXPECT_DOUBLE_EQ(value, 37739 + 545 / 1440.0);
    EXPECT_EQ(kFormat.Date(value), L"2003/04/28 09:05");
    EXPECT_EQ(PartsFromDate(value - 1e-9), morning);  // just below 09:05 still reads 09:05
    EXPECT_EQ(kFormat.Date(37739.99999999), L"2003/04/29 00:00");
    EXPECT_EQ(kFormat.Date(0), L"1899/12/30 00:00");
    EXPECT_EQ(PartsFromDate(-1.25), (DateParts{1899, 12, 29, 6, 0, 0}));
    EXPECT_EQ(DateFromParts({1900, 3, 1, 0, 0, 0}), 61);
    EXPECT_EQ(DateFromParts({2100, 12, 31, 0, 0, 0}), 73415);
    for (int year = 1900; year <= 2100; year += 7)
        for (int month = 1; month <= 12; ++month)
            for (const int day : {1, 15, 28}) {
                const DateParts parts{year, month, day, (year + day) % 24, (month * 13 + day) % 60, 0};
                EXPECT_EQ(PartsFromDate(DateFromParts(parts)), parts);
            }
    EXPECT_EQ(PartsFromDate(DateFromParts({2000, 2, 29, 23, 59, 0})), (DateParts{2000, 2, 29, 23, 59, 0}));
}

TEST(FileListModel, FindMarksRowsWhoseShownNameContainsTheWord) {
    FileEntryList entries{Entry(L"ABC.txt", 1), Entry(L"xabcx.mp3", 2), Entry(L"Abc", 3), Entry(L"other", 4),
                          Entry(L"[MX]song(1MB).mp3", 40)};
    std::vector<std::wstring> reads;
    auto rows = BuildRows(entries, {false, false, true}, Reader(&reads));
    const UpperCase upper = [](std::wstring_view text) {
        std::wstring result(text);
        for (wchar_t& c : result) c = static_cast<wchar_t>(std::towupper(c));
        return result;
    };
    MarkMatches(rows, L"abc", upper);
    for (const wchar_t* name : {L"ABC.txt", L"xabcx.mp3", L"Abc"})
        EXPECT_EQ(Color(rows, name, Column::FileName), kColors.highlight) << name;
    EXPECT_EQ(Color(rows, L"other", Column::Size), 0u);
    MarkMatches(rows, L"MX", upper);  // only the name on disk carries it
    EXPECT_EQ(RowOf(rows, L"[MX]song(1MB).mp3").mark, Mark::NotFound);
    MarkMatches(rows, L"", upper);
    for (const FileRow& row : rows) EXPECT_EQ(row.mark, Mark::Found);
    ClearMarks(rows);
    EXPECT_EQ(Color(rows, L"[MX]song(1MB).mp3", Column::FileName), kColors.dummyColor);
    EXPECT_EQ(Color(rows, L"other", Column::FileName), kColors.listText);
}

}  // namespace
}  // namespace orvane
