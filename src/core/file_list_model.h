// The file list as a model: one row per scanned file, its cell texts and
// colours, the sort order and the find marks. Platform-free: the list view
// shows it, the window side supplies the locale's formats and comparisons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dummy_header.h"
#include "core/file_entry.h"

namespace orvane {

// The seven columns, numbered as the sort setting stores them; the number
// less one is the column's index in the list view.
enum class Column : int { FileName = 1, Size, Total, Percent, Extension, Modified, User };
inline constexpr int kColumnCount = 7;

// The find bar's mark on a row: none (normal colours), matched, not matched.
enum class Mark { Normal, Found, NotFound };

// One piece of a name for the Explorer-like order: a run of digits compares
// by value, any other run by its collation key.
struct NameChunk {
    bool digits = false;
    std::string key;  // digits: the number without leading zeros; text: collation key
    bool operator==(const NameChunk&) const = default;
};

struct FileRow {
    std::wstring key;        // the file's name on disk
    std::wstring text;       // the name as shown where it differs (dummy files); else empty: see ShownName
    std::wstring extension;  // after the last "." of the name on disk, as written
    std::int64_t size = 0;
    std::int32_t totalSize = kTotalUnknown;  // -1 shows "無", -2 shows "ダミー"
    double modified = 0;
    std::wstring user;
    bool dummy = false;
    bool sizeShared = false;   // another row has the same current size (not 0)
    bool totalShared = false;  // another row has the same full size (not 0, -1, -2)
    Mark mark = Mark::Normal;

    // Collation keys, made on the first sort by a column that needs them.
    std::optional<std::string> nameKey;  // NameSortKey of the shown name
    std::optional<std::string> extensionKey;
    std::optional<std::string> userKey;
};

// The name as the list shows it: the name on disk unless the row has a text of its own.
inline const std::wstring& ShownName(const FileRow& row) { return row.text.empty() ? row.key : row.text; }

// How dummy files are shown (settings INITIALDISP, SIZEDISP, SIZESRC).
struct DummyDisplay {
    bool showPrefix = true;
    bool showSizeSuffix = true;
    bool sourceSize = true;  // show the size of the file the dummy stands for
};

// Reads the header of a 40-byte entry; nothing when it is no dummy file or
// cannot be read.
using DummyReader = std::function<std::optional<DummyHeader>(const FileEntry&)>;

// Decides every dummy file first (changing its entry: TotalSize -2, the
// source size when shown, DummyFlag), then builds the rows and marks shared
// sizes. The rows are made in room, over the rows it holds: memory already
// in use costs far less to fill than fresh memory.
std::vector<FileRow> BuildRows(FileEntryList& entries, const DummyDisplay& display, const DummyReader& readDummy,
                               std::vector<FileRow> room = {});

// After the last "." of a name, as written; empty without a ".".
std::wstring ExtensionOf(std::wstring_view name);

// The whole percentage downloaded, rounded down; nothing for a full size of
// 0 or below (no percentage is shown). Above 100 as it comes.
std::optional<std::int64_t> PercentDone(std::int64_t size, std::int32_t totalSize);

// Days since 1899-12-30 (the Windows date form) and back.
struct DateParts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    bool operator==(const DateParts&) const = default;
};
double DateFromParts(const DateParts& parts);
DateParts PartsFromDate(double days);

// Number and date formats; the window side uses the user's locale.
class TextFormat {
public:
    virtual ~TextFormat() = default;
    virtual std::wstring Number(std::int64_t value) const;  // "#,##0"
    virtual std::wstring Date(double days) const;           // "YYYY/MM/DD HH:NN"
};

enum class ColumnAlign { Left, Right };

// How a column sorts.
enum class SortKind {
    Name,    // the natural order of the text: runs of digits by value
    Text,    // the locale's order of the text, ignoring case
    Number,  // by value; cells without a number before all numbers
    Time,    // by the date value
};

// One column of the file list: the header, the cell text, the colour of a
// shared size and the sort all read this one table.
struct FileColumn {
    Column column;
    const wchar_t* caption;
    int widthTwips;
    ColumnAlign align;
    std::wstring (*text)(const FileRow& row, const TextFormat& format);
    SortKind sort;
    const std::wstring& (*sortText)(const FileRow& row) = nullptr;        // Name, Text: the text compared
    std::optional<std::string> FileRow::*sortKey = nullptr;               // Name, Text: its key, made once
    std::optional<std::int64_t> (*number)(const FileRow& row) = nullptr;  // Number: nothing where none shows
    bool FileRow::*shared = nullptr;  // a size another row has too: drawn in the size colour
};

// The columns in the list's order.
std::span<const FileColumn> FileColumns();
// The column at a list-view index, or nothing for an index that is none.
const FileColumn* ColumnAt(int index);
// The column numbered as the sort setting stores it (1-7), or nothing.
const FileColumn* ColumnNumbered(int number);
int ColumnIndex(Column column);

std::wstring CellText(const FileRow& row, Column column, const TextFormat& format);

// Colours are Windows colour values (0x00BBGGRR), already resolved.
struct ListColors {
    std::uint32_t listText = 0;
    std::uint32_t sizeColor = 0x00FF00;
    std::uint32_t dummyColor = 0x808080;
    std::uint32_t highlight = 0x0050FF;
    std::uint32_t unmatched = 0;  // the names a find did not match
};

// The colour of one cell: a shared size's own colour first, then the row's
// find mark (highlight or unmatched), then the dummy colour, else the list's.
std::uint32_t CellColor(const FileRow& row, Column column, const ListColors& colors);

// Case-insensitive collation keys whose byte order is the locale's order.
class Collator {
public:
    virtual ~Collator() = default;
    virtual std::string Key(std::wstring_view text) const;  // default: upper-cased code units
};

std::vector<NameChunk> NameChunks(std::wstring_view name, const Collator& collator);

// The chunks as one byte string whose plain byte order is that order.
std::string NameSortKey(std::wstring_view name, const Collator& collator);

// Makes the NameSortKey of one name after another, remembering the keys of
// the pieces names share. One maker serves one thread.
class NameKeyMaker {
public:
    explicit NameKeyMaker(const Collator& collator);
    ~NameKeyMaker();
    NameKeyMaker(const NameKeyMaker&) = delete;
    NameKeyMaker& operator=(const NameKeyMaker&) = delete;
    std::string Key(std::wstring_view name) const;

private:
    std::unique_ptr<const Collator> remembering_;
};

// Gives every row that shows its name on disk (not a dummy's own text) the
// name column's key made beforehand: keys[i] is the key of the name of the
// entry rows[i] was built from, an empty key none. The keys are moved out.
void AdoptNameKeys(std::vector<FileRow>& rows, std::vector<std::string>& keys);

// Sorts stably by a column (1-7) ascending (order 0) or descending (any
// other order). Cells without a number ("無", "ダミー", an empty percentage)
// come before all numbers in ascending order. Returns the permutation:
// row i after the sort is row result[i] before it.
std::vector<std::size_t> SortRows(std::vector<FileRow>& rows, int key, int order, const Collator& collator);

// The same order for one row at a time, for rows that join a sorted list:
// MakeSortKey fills the row's cached key for the column (1-7) where it needs
// one; SortsBefore then tells whether a comes strictly before b.
void MakeSortKey(FileRow& row, int key, const Collator& collator);
bool SortsBefore(const FileRow& a, const FileRow& b, int key, int order);

// The next row a find marked after from (before it, going back), coming
// round at the end; from may be -1 (before the first row). -1 when the
// find marked none.
int NextMarkedRow(const std::vector<FileRow>& rows, int from, bool forward);

// Upper-cases text the way the platform does (full-width letters too).
using UpperCase = std::function<std::wstring(std::wstring_view)>;

// Marks every row whose shown name contains the word, ignoring case; all
// other rows are marked as not matching. An empty word matches every row.
void MarkMatches(std::vector<FileRow>& rows, std::wstring_view word, const UpperCase& upper);
void ClearMarks(std::vector<FileRow>& rows);

}  // namespace orvane
