#include "core/file_list_model.h"

#include <gtest/gtest.h>

#include <map>

namespace orvane {
namespace {

const Collator kCollator;
using Texts = std::vector<std::wstring>;

FileRow Row(std::wstring text, std::int64_t size = 0, std::int32_t total = kTotalUnknown) {
    FileRow row;
    row.text = std::move(text);
    row.extension = row.text.substr(row.text.find(L'.') + 1);
    row.size = size;
    row.totalSize = total;
    return row;
}

Texts Names(const std::vector<FileRow>& rows) {
    Texts names;
    for (const FileRow& row : rows) names.push_back(row.text);
    return names;
}

Texts Sorted(std::vector<FileRow>& rows, Column column, int order) {
    SortRows(rows, static_cast<int>(column), order, kCollator);
    Texts texts;
    for (const FileRow& row : rows) texts.push_back(CellText(row, column, TextFormat{}));
    return texts;
}

TEST(FileListSort, NumbersSortByValueWithCellsWithoutANumberFirst) {
    std::vector<FileRow> rows{Row(L"a", 1, 1234567), Row(L"b", 0), Row(L"c", 5, 89), Row(L"d", 40, kTotalDummy)};
    EXPECT_EQ(Sorted(rows, Column::Total, 0), (Texts{L"無", L"ダミー", L"89", L"1,234,567"}));
    EXPECT_EQ(Sorted(rows, Column::Total, 1), (Texts{L"1,234,567", L"89", L"無", L"ダミー"}));
    EXPECT_EQ(Sorted(rows, Column::Size, 0), (Texts{L"0", L"1", L"5", L"40"}));

    rows = {Row(L"a", 100, 100), Row(L"b", 5, 100), Row(L"c", 3), Row(L"d", 37, 100), Row(L"e", 0, 100)};
    EXPECT_EQ(Sorted(rows, Column::Percent, 0), (Texts{L"", L"0%", L"5%", L"37%", L"100%"}));
    EXPECT_EQ(Sorted(rows, Column::Percent, 1), (Texts{L"100%", L"37%", L"5%", L"0%", L""}));

    rows.clear();
    for (const double days : {37739.5, 2.25, 37739.25}) {
        rows.push_back(Row(L"x"));
        rows.back().modified = days;
    }
    EXPECT_EQ(Sorted(rows, Column::Modified, 0),
              (Texts{L"1900/01/01 06:00", L"2003/04/28 06:00", L"2003/04/28 12:00"}));
}

TEST(FileListSort, NamesSortLikeExplorerWithNumbersByValue) {
    std::vector<FileRow> rows{Row(L"file10"), Row(L"abc"),  Row(L"file2"),  Row(L"100000 lives"),
                              Row(L"FILE1"),  Row(L"file"), Row(L"9 lives")};
    const Texts ascending{L"9 lives", L"100000 lives", L"abc", L"file", L"FILE1", L"file2", L"file10"};
    EXPECT_EQ(Sorted(rows, Column::FileName, 0), ascending);
    EXPECT_EQ(Sorted(rows, Column::FileName, 1), Texts(ascending.rbegin(), ascending.rend()));
    rows.back().nameKey = NameSortKey(L"zzz", kCollator);  // a key made earlier is used as it is
    EXPECT_EQ(Sorted(rows, Column::FileName, 0).back(), L"9 lives");

    EXPECT_EQ(
        NameChunks(L"b007x000", kCollator),
        (std::vector<NameChunk>{{false, kCollator.Key(L"b")}, {true, "7"}, {false, kCollator.Key(L"x")}, {true, "0"}}));
    EXPECT_EQ(kCollator.Key(L"aZ1"), std::string("\0A\0Z\0"
                                                 "1",
                                                 6));
    EXPECT_EQ(kCollator.Key(L"\u00e9\u3042\uff41"), std::string("\x00\xe9\x30\x42\xff\x41", 6));
    EXPECT_EQ(kCollator.Key(L"\U0001F600"), std::string("\xd8\x3d\xde\x00", 4));
}

// Keys of one byte per character, a-f at the edges (00 01 7F FD FE FF), where
// an order kept in one byte string could break.
struct EdgeByteCollator : Collator {
    std::string Key(std::wstring_view text) const override {
        std::string key;
        for (const wchar_t c : text)
            key += c >= L'a' ? "\x00\x01\x7f\xfd\xfe\xff"[c - L'a'] : static_cast<char>(0x80 + c % 64);
        return key;
    }
};

TEST(FileListSort, NameAndExtensionOrderHoldForEveryKeyByte) {
    const EdgeByteCollator collator;
    std::vector<FileRow> rows;
    for (const wchar_t* name : {L"f", L"aa", L"e2", L"b", L"a1", L"1", L"e", L"a"}) rows.push_back(Row(name));
    SortRows(rows, 1, 0, collator);
    EXPECT_EQ(Names(rows), (Texts{L"1", L"a", L"a1", L"aa", L"b", L"e", L"e2", L"f"}));
    SortRows(rows, 1, 1, collator);
    SortRows(rows, 5, 0, collator);  // the extensions equal the names here
    EXPECT_EQ(Names(rows), (Texts{L"a", L"aa", L"a1", L"b", L"1", L"e", L"e2", L"f"}));
}

TEST(FileListSort, ALongListsKeysLandOnTheirOwnRowsAndAKeyMadeBeforeStays) {
    constexpr std::size_t kCount = 4097;
    std::vector<FileRow> rows;
    for (std::size_t i = 0; i < kCount; ++i) rows.push_back(Row(L"n" + std::to_wstring(i * 2039 % kCount) + L".x"));
    rows[kCount - 1].nameKey = NameSortKey(rows[kCount - 1].text, kCollator);  // a key made before stays
    SortRows(rows, 1, 0, kCollator);
    for (std::size_t i = 0; i < kCount; ++i) {
        ASSERT_EQ(rows[i].text, L"n" + std::to_wstring(i) + L".x");
        ASSERT_EQ(rows[i].nameKey, NameSortKey(rows[i].text, kCollator));
    }
}

TEST(FileListSort, PiecesThatRepeatAreCollatedOnceAndEveryKeyIsTheCollatorsOwn) {
    struct Counting : Collator {
        mutable std::map<std::wstring, int> asked;
        std::string Key(std::wstring_view text) const override {
            ++asked[std::wstring(text)];
            return Collator::Key(text);
        }
    } counting;
    // Pieces of 24 and 25 characters that differ only in their last one.
    const std::wstring kept(23, L'k'), long_(24, L'l');
    std::vector<FileRow> rows;
    for (int i = 0; i < 3; ++i)
        for (const wchar_t last : {L'a', L'b'}) {
            rows.push_back(Row(kept + last + std::to_wstring(i) + L".mp3"));
            rows.push_back(Row(long_ + last + std::to_wstring(i) + L".mp3"));
        }
    SortRows(rows, 1, 0, counting);
    for (const FileRow& row : rows) ASSERT_EQ(row.nameKey, NameSortKey(row.text, kCollator));
    EXPECT_EQ(counting.asked[kept + L'a'], 1);
    EXPECT_EQ(counting.asked[L".mp"], 1);
    EXPECT_EQ(counting.asked[long_ + L'b'], 3);  // too long to be worth remembering
    EXPECT_EQ(Names(rows).front(), kept + L"a0.mp3");
}

TEST(FileListSort, KeysMadeAheadGoToTheRowsThatShowTheirNameAndTheSortKeepsThem) {
    // Built from entries: a dummy row shows a text of its own, whose key the
    // sort makes; the key of the last entry was not made ahead.
    FileEntryList entries(4);
    const Texts names{L"b10.mp3", L"[DMY]a.mp3", L"b9.mp3", L"c.mp3"};
    for (std::size_t i = 0; i < names.size(); ++i) entries[i].Name = names[i];
    std::vector<FileRow> rows = BuildRows(entries, DummyDisplay{}, {});
    rows[1].text = L"a.mp3 (dummy)";
    const NameKeyMaker maker(kCollator);
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < 3; ++i) keys.push_back(maker.Key(names[i]));
    keys.push_back({});
    AdoptNameKeys(rows, keys);
    EXPECT_EQ(rows[0].nameKey, NameSortKey(L"b10.mp3", kCollator));
    EXPECT_FALSE(rows[1].nameKey.has_value());
    EXPECT_EQ(rows[2].nameKey, NameSortKey(L"b9.mp3", kCollator));
    EXPECT_FALSE(rows[3].nameKey.has_value());
    SortRows(rows, static_cast<int>(Column::FileName), 0, kCollator);
    Texts shown;
    for (const FileRow& row : rows) {
        shown.push_back(ShownName(row));
        EXPECT_EQ(row.nameKey, NameSortKey(ShownName(row), kCollator));
    }
    EXPECT_EQ(shown, (Texts{L"a.mp3 (dummy)", L"b9.mp3", L"b10.mp3", L"c.mp3"}));
}

TEST(FileListSort, EqualKeysKeepTheirPreviousOrderInBothDirections) {
    std::vector<FileRow> rows{Row(L"b.txt", 10), Row(L"a.mp3", 20), Row(L"c.TXT", 10), Row(L"d.avi", 20)};
    EXPECT_EQ(SortRows(rows, 1, 0, kCollator), (std::vector<std::size_t>{1, 0, 2, 3}));
    EXPECT_EQ(Sorted(rows, Column::Extension, 0), (Texts{L"avi", L"mp3", L"txt", L"TXT"}));
    EXPECT_EQ(Sorted(rows, Column::Extension, 1), (Texts{L"txt", L"TXT", L"mp3", L"avi"}));
    EXPECT_EQ(Sorted(rows, Column::FileName, 2).front(), L"d.avi");  // any order but 0 is descending
    Sorted(rows, Column::FileName, 0);
    EXPECT_EQ(Sorted(rows, Column::Size, 1), (Texts{L"20", L"20", L"10", L"10"}));
    EXPECT_EQ(Names(rows), (Texts{L"a.mp3", L"d.avi", L"b.txt", L"c.TXT"}));

    rows.clear();  // enough rows that an unstable sort would show
    for (int i = 0; i < 200; ++i) rows.push_back(Row(std::to_wstring(1000 + i), i % 3));
    for (const int order : {1, 0}) {
        Sorted(rows, Column::FileName, 0);
        Sorted(rows, Column::Size, order);
        for (std::size_t i = 1; i < rows.size(); ++i)
            ASSERT_TRUE(rows[i].size != rows[i - 1].size || rows[i - 1].text < rows[i].text) << i;
    }

    rows.clear();
    for (const wchar_t* user : {L"bob", L"Alice", L"alice"}) {
        rows.push_back(Row(L"x"));
        rows.back().user = user;
    }
    EXPECT_EQ(Sorted(rows, Column::User, 0), (Texts{L"Alice", L"alice", L"bob"}));
    EXPECT_EQ(SortRows(rows, 8, 0, kCollator), (std::vector<std::size_t>{0, 1, 2}));  // unknown column
    EXPECT_EQ(rows[0].user, L"Alice");  // and the rows stay where they were
}

}  // namespace
}  // namespace orvane
