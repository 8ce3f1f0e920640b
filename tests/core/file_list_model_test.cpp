#include "core/file_list_model.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <limits>

namespace orvane {
namespace {

const ListColors kColors{0x111111, 0x00FF00, 0x808080, 0x0050FF, 0x222222};
const std::wstring kDummyName = L"[MX]song(1MB).mp3";  // prefix of 4, size suffix, source 0x00100000

FileEntry Entry(std::wstring name, std::int64_t size, std::int32_t total = kTotalUnknown) {
    return {std::move(name), size, total, 0, {}, false};
}
std::wstring Cell(const FileRow& row, Column column) { return CellText(row, column, TextFormat{}); }
std::wstring Full(const FileRow& row) { return Cell(row, Column::Total) + L"|" + Cell(row, Column::Percent); }
std::uint32_t Color(const FileRow& row, Column column) { return CellColor(row, column, kColors); }

DummyReader Reader(std::vector<std::wstring>& reads) {
    return [&reads](const FileEntry& entry) -> std::optional<DummyHeader> {
        reads.push_back(entry.Name);
        if (entry.Name == kDummyName) return DummyHeader{0x00100000, 4, true};
        return std::nullopt;
    };
}

TEST(FileListModel, SharedSizesAreColouredInSeparatePoolsAndPercentagesRoundDown) {
    FileEntryList entries{Entry(L"a", 1000),       Entry(L"b", 1000),    Entry(L"z1", 0),
                          Entry(L"z2", 0),         Entry(L"r", 1, 3),    Entry(L"p", 512000, 1024000),
                          Entry(L"q", 7, 1024000), Entry(L"s", 3, 1000), Entry(L"t", 9, 0)};
    std::vector<std::wstring> reads;
    const auto rows = BuildRows(entries, {}, Reader(reads));
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(Color(rows[0], Column::Size), kColors.sizeColor);
    EXPECT_EQ(Color(rows[1], Column::Size), kColors.sizeColor);
    EXPECT_EQ(Color(rows[2], Column::Size), kColors.listText);
    EXPECT_EQ(Color(rows[0], Column::Total), kColors.listText);  // two "無" share no size
    EXPECT_EQ(Color(rows[5], Column::Total), kColors.sizeColor);
    EXPECT_EQ(Color(rows[7], Column::Total), kColors.listText);  // a full 1,000 is no current 1,000
    EXPECT_EQ(Full(rows[0]) + Full(rows[4]) + Full(rows[5]) + Full(rows[8]), L"無|3|33%1,024,000|50%0|");
    EXPECT_TRUE(reads.empty());  // no 40-byte file, nothing opened
    EXPECT_EQ(PercentDone(3, 2), 150);
    EXPECT_EQ(PercentDone(4'000'000'000'000'000'000, 2'000'000'000), 200'000'000'000);
}

TEST(FileListModel, DummyFilesAreDecidedBeforeSizesAreColouredWhereverTheyStand) {
    for (const bool dummyFirst : {true, false}) {
        FileEntryList entries{Entry(L"other.bin", 1048576), Entry(L"plain.txt", 40)};
        entries.insert(dummyFirst ? entries.begin() : entries.end(), Entry(kDummyName, 40));
        std::vector<std::wstring> reads;
        const auto rows = BuildRows(entries, {false, false, true}, Reader(reads));
        const FileRow& dummy = rows[dummyFirst ? 0 : 2];
        const FileRow& plain = rows[dummyFirst ? 2 : 1];
        EXPECT_EQ(
            dummy.text + L"|" + Cell(dummy, Column::Extension) + L"|" + Cell(dummy, Column::Size) + L"|" + Full(dummy),
            L"song|mp3|1,048,576|ダミー|");
        EXPECT_EQ(Color(dummy, Column::FileName), kColors.dummyColor);
        EXPECT_EQ(Color(dummy, Column::Size), kColors.sizeColor);
        EXPECT_EQ(Color(rows[dummyFirst ? 1 : 0], Column::Size), kColors.sizeColor);
        EXPECT_EQ(Color(plain, Column::Size), kColors.listText);  // 40 bytes no longer shared
        const FileEntry& changed = entries[dummyFirst ? 0 : 2];
        EXPECT_TRUE(changed.DummyFlag && changed.TotalSize == kTotalDummy && changed.Size == 1048576);
    }

    FileEntryList entries{Entry(kDummyName, 40), Entry(L"plain.txt", 40)};
    std::vector<std::wstring> reads;
    const auto rows = BuildRows(entries, {true, true, false}, Reader(reads));
    EXPECT_EQ(ShownName(rows[0]) + L"|" + Cell(rows[0], Column::Size) + L"|" + Full(rows[0]),
              kDummyName + L"|40|ダミー|");
    reads.clear();  // a second fill does not read the known dummy again
    BuildRows(entries, {true, true, false}, Reader(reads));
    EXPECT_EQ(reads, std::vector<std::wstring>{L"plain.txt"});
}

TEST(FileListModel, RowsMadeOverOldRowsAreTheRowsMadeAfresh) {
    const auto describe = [](const FileRow& row) {
        std::wstring text =
            row.key + L"|" + row.text + L"|" + std::to_wstring(static_cast<int>(row.mark)) + L"|" +
            std::to_wstring(row.nameKey.has_value() + row.extensionKey.has_value() + row.userKey.has_value());
        for (int column = 1; column <= kColumnCount; ++column) {
            text += L"|" + Cell(row, static_cast<Column>(column));
            text += L"|" + std::to_wstring(Color(row, static_cast<Column>(column)));
        }
        return text;
    };
    const auto entries = [] {
        FileEntryList list{Entry(L"b.txt", 1000), Entry(L"c", 1000), Entry(L"d.x", 3, 1000), Entry(kDummyName, 40)};
        list[0].User = L"someone";
        return list;
    };
    FileEntryList before{Entry(kDummyName, 40), Entry(L"a very long name that needs room of its own.mp3", 5, 9),
                         Entry(L"e.mp3", 9, 9), Entry(L"f", 5, 9), Entry(L"g", 9)};
    before[1].User = L"user";
    std::vector<std::wstring> reads;
    std::vector<FileRow> old = BuildRows(before, {true, true, true}, Reader(reads));
    for (FileRow& row : old) {
        row.mark = Mark::Found;
        row.nameKey = row.extensionKey = row.userKey = "key";
    }
    FileEntryList again = entries(), afresh = entries();
    const auto over = BuildRows(again, {}, Reader(reads), std::move(old));
    const auto made = BuildRows(afresh, {}, Reader(reads));
    ASSERT_EQ(over.size(), made.size());
    for (std::size_t i = 0; i < made.size(); ++i) EXPECT_EQ(describe(over[i]), describe(made[i])) << i;
    // The room of a far longer list is given back.
    EXPECT_LT(BuildRows(again, {}, Reader(reads), std::vector<FileRow>(5000)).capacity(), 5000u);
}

TEST(FileListModel, ExtensionsNumbersAndDatesReadAsShown) {
    EXPECT_EQ(ExtensionOf(L"README") + L"|" + ExtensionOf(L"a.tar.gz") + L"|" + ExtensionOf(L"Photo.JPG"), L"|gz|JPG");
    const TextFormat format;
    for (const auto& [value, text] : std::vector<std::pair<std::int64_t, std::wstring>>{
             {0, L"0"},
             {999, L"999"},
             {1000, L"1,000"},
             {1234567, L"1,234,567"},
             {-999, L"-999"},
             {-1234, L"-1,234"},
             {std::numeric_limits<std::int64_t>::min(), L"-9,223,372,036,854,775,808"}})
        EXPECT_EQ(format.Number(value), text);

    const DateParts morning{2003, 4, 28, 9, 5, 0};
    EXPECT_DOUBLE_EQ(DateFromParts(morning), 37739 + 545 / 1440.0);
    EXPECT_EQ(format.Date(DateFromParts(morning)), L"2003/04/28 09:05");
    EXPECT_EQ(PartsFromDate(DateFromParts(morning) - 1e-9), morning);
    EXPECT_EQ(format.Date(37739.99999999), L"2003/04/29 00:00");
    EXPECT_EQ(format.Date(0), L"1899/12/30 00:00");
    EXPECT_EQ(DateFromParts({1899, 12, 29, 6, 0, 0}), -1.25);  // Windows counts the time forwards there
    EXPECT_EQ(PartsFromDate(-1.25), (DateParts{1899, 12, 29, 6, 0, 0}));
    // Below the base date the fraction's size is the time of day.
    for (const auto& [days, text] : std::vector<std::pair<double, std::wstring>>{{-1e-9, L"1899/12/30 00:00"},
                                                                                 {-0.25, L"1899/12/30 06:00"},
                                                                                 {-1, L"1899/12/29 00:00"},
                                                                                 {-1.75, L"1899/12/29 18:00"},
                                                                                 {-2.25, L"1899/12/28 06:00"},
                                                                                 {-1.99999999999, L"1899/12/30 00:00"}})
        EXPECT_EQ(format.Date(days), text) << days;
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
                          Entry(kDummyName, 40)};
    std::vector<std::wstring> reads;
    auto rows = BuildRows(entries, {false, false, true}, Reader(reads));
    const UpperCase upper = [](std::wstring_view text) {
        std::wstring result(text);
        for (wchar_t& c : result) c = static_cast<wchar_t>(std::towupper(c));
        return result;
    };
    MarkMatches(rows, L"abc", upper);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Color(rows[i], Column::FileName), kColors.highlight) << i;
    EXPECT_EQ(Color(rows[3], Column::Size), kColors.unmatched);
    MarkMatches(rows, L"MX", upper);  // only the name on disk carries it
    EXPECT_EQ(rows[4].mark, Mark::NotFound);
    EXPECT_EQ(Color(rows[4], Column::FileName), kColors.dummyColor);  // a dummy not matched keeps its colour
    EXPECT_EQ(Color(rows[3], Column::FileName), kColors.unmatched);
    MarkMatches(rows, L"", upper);
    for (const FileRow& row : rows) EXPECT_EQ(row.mark, Mark::Found);
    EXPECT_EQ(Color(rows[4], Column::FileName), kColors.highlight);
    ClearMarks(rows);
    EXPECT_EQ(Color(rows[4], Column::FileName), kColors.dummyColor);
    EXPECT_EQ(Color(rows[3], Column::FileName), kColors.listText);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST(FileListModel, TheNextMarkedRowComesRoundInBothDirections) {
    std::vector<FileRow> rows(6);
    for (const int found : {1, 4}) rows[static_cast<std::size_t>(found)].mark = Mark::Found;
    rows[2].mark = Mark::NotFound;
    EXPECT_EQ(NextMarkedRow(rows, -1, true), 1);
    EXPECT_EQ(NextMarkedRow(rows, 1, true), 4);
    EXPECT_EQ(NextMarkedRow(rows, 4, true), 1);  // round past the end
    EXPECT_EQ(NextMarkedRow(rows, 5, true), 1);
    EXPECT_EQ(NextMarkedRow(rows, -1, false), 4);
    EXPECT_EQ(NextMarkedRow(rows, 4, false), 1);
    EXPECT_EQ(NextMarkedRow(rows, 1, false), 4);  // round past the start
    EXPECT_EQ(NextMarkedRow(rows, 0, false), 4);
    rows[4].mark = Mark::Normal;
    EXPECT_EQ(NextMarkedRow(rows, 1, true), 1);  // the only one: itself again
    rows[1].mark = Mark::NotFound;
    EXPECT_EQ(NextMarkedRow(rows, 1, true), -1);
    EXPECT_EQ(NextMarkedRow({}, -1, false), -1);
}

}  // namespace
}  // namespace orvane
