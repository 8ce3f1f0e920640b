#include "ui/file_rows.h"

#include <algorithm>
#include <utility>

namespace orvane {

FileRow* FileRows::At(int row) {
    return row < 0 || static_cast<std::size_t>(row) >= rows_.size() ? nullptr : &rows_[static_cast<std::size_t>(row)];
}

const FileRow* FileRows::At(int row) const { return const_cast<FileRows*>(this)->At(row); }

int FileRows::Find(const std::wstring& name) const {
    const auto it = std::find_if(rows_.begin(), rows_.end(), [&](const FileRow& r) { return r.key == name; });
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

std::vector<FileRow> FileRows::Replace(std::vector<FileRow> rows, int key, bool descending) {
    tally_.Reset();
    findWord_.reset();
    sortKey_ = key;
    descending_ = descending;
    return std::exchange(rows_, std::move(rows));
}

std::vector<std::size_t> FileRows::Sort(int key, int order) {
    if (!ColumnNumbered(key)) key = static_cast<int>(Column::FileName);
    sortKey_ = key;
    descending_ = order != 0;
    return SortRows(rows_, key, order, collator_);
}

void FileRows::Mark(const std::wstring& word) {
    MarkMatches(rows_, word, UpperCaseText);  // the word as typed
    findWord_ = word;
}

std::optional<std::size_t> FileRows::Matches() const {
    if (!findWord_) return std::nullopt;
    return static_cast<std::size_t>(
        std::count_if(rows_.begin(), rows_.end(), [](const FileRow& row) { return row.mark == Mark::Found; }));
}

void FileRows::ClearMarks() {
    orvane::ClearMarks(rows_);
    findWord_.reset();
}

std::vector<std::size_t> FileRows::Merge(RowChanges changes) {
    return MergeChanges(rows_, tally_, std::move(changes), sortKey_, descending_ ? 1 : 0, collator_, findWord_,
                        UpperCaseText);
}

bool FileRows::RemoveWhere(const std::function<bool(const FileRow&)>& gone) {
    const std::size_t before = rows_.size();
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), gone), rows_.end());
    if (rows_.size() == before) return false;
    // A size the rows that left shared is no longer shared.
    RecountSizes(rows_, tally_);
    return true;
}

std::wstring FileRows::CellText(int row, int column) const {
    const FileColumn* def = ColumnAt(column);
    const FileRow* file = At(row);
    return def && file ? def->text(*file, format_) : std::wstring();
}

COLORREF FileRows::CellColor(int row, int column, const ListColors& colors) const {
    const FileColumn* def = ColumnAt(column);
    const FileRow* file = At(row);
    return def && file ? orvane::CellColor(*file, def->column, colors) : CLR_DEFAULT;
}

int FileRows::FindByPrefix(const LVFINDINFOW& find, int start) const {
    if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.psz || rows_.empty()) return -1;
    const std::wstring wanted = UpperCaseText(find.psz);
    const int count = static_cast<int>(rows_.size());
    // The search begins after the start item (from the first row for -1 or
    // an index that is no row) and comes round to just before it only with
    // LVFI_WRAP; the start item itself is never a match.
    const bool fromTop = start < 0 || start >= count;
    const int first = fromTop ? 0 : start + 1;
    const int steps = fromTop ? count : (find.flags & LVFI_WRAP) ? count - 1 : count - first;
    for (int step = 0; step < steps; ++step) {
        const int i = (first + step) % count;
        const std::wstring& text = ShownName(rows_[static_cast<std::size_t>(i)]);
        if (text.size() < wanted.size()) continue;
        const std::wstring head = UpperCaseText(std::wstring_view(text).substr(0, wanted.size()));
        if ((find.flags & LVFI_PARTIAL) ? head == wanted : (head == wanted && text.size() == wanted.size())) return i;
    }
    return -1;
}

}  // namespace orvane
