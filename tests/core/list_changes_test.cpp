#include "core/list_changes.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Names = std::vector<std::wstring>;

FileRow R(std::wstring name, std::int64_t size, std::int32_t total = kTotalUnknown, std::wstring user = L"") {
    FileRow row;
    row.key = name;
    row.text = name;
    row.extension = ExtensionOf(name);
    row.size = size;
    row.totalSize = total;
    row.user = std::move(user);
    return row;
}

Names Where(const std::vector<FileRow>& rows, bool (*test)(const FileRow&)) {
    Names names;
    for (const FileRow& row : rows)
        if (test(row)) names.push_back(row.key);
    return names;
}

struct Case {
    const char* what;
    int key;    // sort column
    int order;  // 0 ascending
    std::optional<std::wstring> find;
    std::vector<FileRow> present;
    Names gone;
    Names rows;         // in list order afterwards
    Names sizeShared;   // drawn in the size colour (current size)
    Names totalShared;  // drawn in the size colour (full size)
    Names came;         // rows no row stood for before
    Names found;        // marked as matching the find
};

TEST(ListChanges, MergedRowsKeepOrderColoursMarksAndWhereEachRowCameFrom) {
    constexpr int kName = 1, kSize = 2, kTotal = 3;
    const std::vector<Case> cases = {
        {"a grown file moves to its place past rows of equal size",
         kSize,
         0,
         {},
         {R(L"a", 30)},
         {},
         {L"b", L"c", L"x.part", L"a"},
         {L"b", L"c", L"x.part", L"a"},
         {},
         {},
         {}},
        {"a grown file leaves its size's other row uncoloured",
         kSize,
         0,
         {},
         {R(L"b", 40)},
         {},
         {L"a", L"c", L"x.part", L"b"},
         {},
         {},
         {},
         {}},
        {"finished by the client: the unfinished name goes, the whole file comes",
         kSize,
         0,
         {},
         {R(L"x", 100)},
         {L"x.part"},
         {L"a", L"b", L"c", L"x"},
         {L"b", L"c"},
         {},
         {L"x"},
         {}},
        {"a new file comes in at its place",
         kSize,
         0,
         {},
         {R(L"e", 11)},
         {},
         {L"a", L"e", L"b", L"c", L"x.part"},
         {L"b", L"c"},
         {},
         {L"e"},
         {}},
        {"a removed file leaves, and with it the shared size",
         kSize,
         1,
         {},
         {},
         {L"c"},
         {L"x.part", L"b", L"a"},
         {},
         {},
         {},
         {}},
        {"the list file gave full sizes: the order by full size and its colours follow",
         kTotal,
         0,
         {},
         {R(L"a", 10, 200, L"u"), R(L"x.part", 30, 200, L"u")},
         {},
         {L"b", L"c", L"a", L"x.part"},
         {L"b", L"c"},
         {L"a", L"x.part"},
         {},
         {}},
        {"under a find, rows that come are marked, others keep their marks",
         kName,
         1,
         L"B",
         {R(L"bb", 7), R(L"d", 7)},
         {L"a"},
         {L"x.part", L"d", L"c", L"bb", L"b"},
         {L"d", L"c", L"bb", L"b"},
         {},
         {L"d", L"bb"},
         {L"bb", L"b"}},
        {"a name both gone and present is present; unknown gone names change nothing",
         kSize,
         0,
         {},
         {R(L"a", 10)},
         {L"a", L"zz"},
         {L"a", L"b", L"c", L"x.part"},
         {L"b", L"c"},
         {},
         {},
         {}},
    };
    const Collator collator;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<FileRow> rows{R(L"a", 10), R(L"b", 20), R(L"c", 20), R(L"x.part", 30, 100)};
        rows[1].sizeShared = rows[2].sizeShared = true;
        SortRows(rows, c.key, c.order, collator);
        if (c.find) MarkMatches(rows, *c.find, nullptr);
        const std::vector<FileRow> old = rows;
        SizeTally tally;
        // A first empty batch counts the rows, as a listing's first update does.
        MergeChanges(rows, tally, {}, c.key, c.order, collator, c.find, nullptr);
        const std::vector<std::size_t> from =
            MergeChanges(rows, tally, {c.present, c.gone}, c.key, c.order, collator, c.find, nullptr);

        EXPECT_EQ(Where(rows, [](const FileRow&) { return true; }), c.rows);
        EXPECT_EQ(Where(rows, [](const FileRow& r) { return r.sizeShared; }), c.sizeShared);
        EXPECT_EQ(Where(rows, [](const FileRow& r) { return r.totalShared; }), c.totalShared);
        EXPECT_EQ(Where(rows, [](const FileRow& r) { return r.mark == Mark::Found; }), c.found);
        ASSERT_EQ(from.size(), rows.size());
        Names came;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (from[i] == kNewRow)
                came.push_back(rows[i].key);
            else
                EXPECT_EQ(old.at(from[i]).key, rows[i].key);  // selection and focus follow the file
        }
        EXPECT_EQ(came, c.came);
    }
}

TEST(ListChanges, RowsThatLeftByAnotherWayAreRecountedAndACaseRenameReplacesItsRow) {
    constexpr int kSize = 2;
    const Collator collator;
    const auto shared = [](const FileRow& r) { return r.sizeShared; };
    // Listed a=100, b=100, c=50 and counted; b taken out as a delete takes
    // it; then a merge of a as it was, or of c grown.
    for (const FileRow& changed : {R(L"a", 100), R(L"c", 60)}) {
        SCOPED_TRACE(testing::PrintToString(changed.key));
        std::vector<FileRow> rows{R(L"c", 50), R(L"a", 100), R(L"b", 100)};
        rows[1].sizeShared = rows[2].sizeShared = true;
        SizeTally tally;
        MergeChanges(rows, tally, {}, kSize, 0, collator, {}, nullptr);
        std::erase_if(rows, [](const FileRow& r) { return r.key == L"b"; });
        MergeChanges(rows, tally, {{changed}, {}}, kSize, 0, collator, {}, nullptr);
        EXPECT_EQ(Where(rows, shared), Names{});
    }

    // b.txt renamed B.txt outside: one row, standing where b.txt stood for selection and focus.
    std::vector<FileRow> rows{R(L"a", 10), R(L"b.txt", 20), R(L"c", 20)};
    SizeTally tally;
    RowChanges changes{{R(L"B.txt", 20)}, {L"b.txt"}};
    changes.renamed = {{L"b.txt", L"B.txt"}};
    const std::vector<std::size_t> from = MergeChanges(rows, tally, changes, kSize, 0, collator, {}, nullptr);
    EXPECT_EQ(Where(rows, [](const FileRow&) { return true; }), (Names{L"a", L"c", L"B.txt"}));
    EXPECT_EQ(from, (std::vector<std::size_t>{0, 2, 1}));
    EXPECT_EQ(Where(rows, shared), (Names{L"c", L"B.txt"}));
}

}  // namespace
}  // namespace orvane
