#include "mainwindow/file_list_model.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

const Collator kCollator;

FileRow Row(std::wstring text, std::int64_t size = 0, std::int32_t total = kTotalUnknown) {
    FileRow row;
    row.key = text;
    row.text = std::move(text);
    row.size = size;
    row.totalSize = total;
    return row;
}

std::vector<std::wstring> Sorted(std::vector<FileRow>& rows, Column column, int order) {
    SortRows(rows, static_cast<int>(column), order, kCollator);
    std::vector<std::wstring> texts;
    for (const FileRow& row : rows) texts.push_back(CellText(row, column, TextFormat{}));
    return texts;
}

using Texts = std::vector<std::wstring>;

Texts Names(const std::vector<FileRow>& rows) {
    Texts names;
    for (const FileRow& row : rows) names.push_back(row.text);
    return names;
}

TEST(FileListSort, SizesAndPercentagesSortByValueWithCellsWithoutANumberFirst) {
    std::vector<FileRow> rows{Row(L"a", 1, 1234567), Row(L"b", 0, kTotalUnknown), Row(L"c", 5, 89),
                              Row(L"d", 40, kTotalDummy)};
    EXPECT_EQ(Sorted(rows, Column::Total, 0), (Texts{L"無", L"ダミー", L"89", L"1,234,567"}));
    EXPECT_EQ(Sorted(rows, Column::Total, 1), (Texts{L"1,234,567", L"89", L"無", L"ダミー"}));
    EXPECT_EQ(Sorted(rows, Column::Size, 0), (Texts{L"0", L"1", L"5", L"40"}));

    rows = {Row(L"a", 100, 100), Row(L"b", 5, 100), Row(L"c", 3), Row(L"d", 37, 100), Row(L"e", 0, 100)};
    EXPECT_EQ(Sorted(rows, Column::Percent, 0), (Texts{L"", L"0%", L"5%", L"37%", L"100%"}));
    EXPECT_EQ(Sorted(rows, Column::Percent, 1), (Texts{L"100%", L"37%", L"5%", L"0%", L""}));

    rows = {Row(L"late"), Row(L"early"), Row(L"noon")};
    rows[0].modified = 37739.5;
    rows[1].modified = 2.25;
    rows[2].modified = 37739.25;
    EXPECT_EQ(Sorted(rows, Column::Modified, 0), (Texts{L"1900/01/01 06:00", L"2003/04/28 06:00", L"2003/04/28 12:00"}));
}

TEST(FileListSort, NamesSortLikeExplorerWithNumbersByValue) {
    std::vector<FileRow> rows{Row(L"file10"), Row(L"abc"), Row(L"file2"), Row(L"10 lives"),
                              Row(L"FILE1"),  Row(L"file"), Row(L"9 lives")};
    const Texts ascending{L"9 lives", L"10 lives", L"abc", L"file", L"FILE1", L"file2", L"file10"};
    EXPECT_EQ(Sorted(rows, Column::FileName, 0), ascending);
    EXPECT_EQ(Sorted(rows, Column::FileName, 1), Texts(ascending.rbegin(), ascending.rend()));

    EXPECT_EQ(NameChunks(L"track007b000.txt", kCollator),
              (std::vector<NameChunk>{{false, kCollator.Key(L"track")},
                                      {true, "7"},
                                      {false, kCollator.Key(L"b")},
                                      {true, "0"},
                                      {false, kCollator.Key(L".txt")}}));
    EXPECT_EQ(kCollator.Key(L"aZ1"), std::string("\0A\0Z\0" "1", 6));
    EXPECT_EQ(kCollator.Key(L"\u00e9\u3042\uff41"), std::string("\x00\xe9\x30\x42\xff\x41", 6));
    EXPECT_EQ(kCollator.Key(L"\U0001F600"), std::string("\xd8\x3d\xde\x00", 4));
}

TEST(FileListSort, EqualKeysKeepTheirPreviousOrderInBothDirections) {
    std::vector<FileRow> rows{Row(L"b.txt", 10), Row(L"a.mp3", 20), Row(L"c.TXT", 10), Row(L"d.avi", 20)};
    for (FileRow& row : rows) row.extension = row.text.substr(2);
    EXPECT_EQ(SortRows(rows, 1, 0, kCollator), (std::vector<std::size_t>{1, 0, 2, 3}));
    EXPECT_EQ(Sorted(rows, Column::Extension, 0), (Texts{L"avi", L"mp3", L"txt", L"TXT"}));
    EXPECT_EQ(Sorted(rows, Column::Extension, 1), (Texts{L"txt", L"TXT", L"mp3", L"avi"}));

    Sorted(rows, Column::FileName, 0);
    Sorted(rows, Column::Size, 0);
    EXPECT_EQ(Names(rows), (Texts{L"b.txt", L"c.TXT", L"a.mp3", L"d.avi"}));
    Sorted(rows, Column::FileName, 0);
    Sorted(rows, Column::Size, 1);
    EXPECT_EQ(Names(rows), (Texts{L"a.mp3", L"d.avi", L"b.txt", L"c.TXT"}));

    rows = {Row(L"1"), Row(L"2"), Row(L"3")};
    rows[0].user = L"bob";
    rows[1].user = L"Alice";
    rows[2].user = L"alice";
    EXPECT_EQ(Sorted(rows, Column::User, 0), (Texts{L"Alice", L"alice", L"bob"}));
    EXPECT_EQ(SortRows(rows, 8, 0, kCollator), (std::vector<std::size_t>{0, 1, 2}));  // unknown column
    EXPECT_EQ(rows[0].user, L"Alice");
}

TEST(FileListSort, CollationKeysAreMadeOnceAndReused) {
    struct CountingCollator : Collator {
        mutable int calls = 0;
        std::string Key(std::wstring_view text) const override {
            ++calls;
            return Collator::Key(text);
        }
    } collator;
    std::vector<FileRow> rows{Row(L"b1"), Row(L"a2"), Row(L"c")};
    SortRows(rows, 1, 0, collator);
    const int first = collator.calls;
    EXPECT_EQ(first, 3);
    SortRows(rows, 1, 1, collator);
    SortRows(rows, 5, 0, collator);
    SortRows(rows, 5, 1, collator);
    EXPECT_EQ(collator.calls, first + 3);
    EXPECT_EQ(rows[0].text, L"c");
}

}  // namespace
}  // namespace orvane
