// The rows the file list shows and what belongs to them: their sort, the
// word they are marked against and the tally of shared sizes. The list
// view asks them for its cells; the panel decides when they change.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/file_list_model.h"
#include "core/list_changes.h"
#include "platform/locale_text.h"

namespace orvane {

class FileRows {
public:
    std::size_t Count() const { return rows_.size(); }
    bool Empty() const { return rows_.empty(); }
    const std::vector<FileRow>& All() const { return rows_; }
    // The row at an index of the list; nothing for no row.
    FileRow* At(int row);
    const FileRow* At(int row) const;
    // The row of the file of this name on disk, or -1.
    int Find(const std::wstring& name) const;

    // New rows, in the order given; the marks and the tally start afresh.
    // The rows they replace are handed back.
    std::vector<FileRow> Replace(std::vector<FileRow> rows, int key, bool descending);
    // The rows' memory, for new rows to be made in; none are left.
    std::vector<FileRow> Take() { return Replace({}, sortKey_, descending_); }

    // Sorts by a column (a stored one that does not exist: by name); row i is
    // now what row before[i] was.
    std::vector<std::size_t> Sort(int key, int order);
    int SortKey() const { return sortKey_; }
    bool Descending() const { return descending_; }

    void Mark(const std::wstring& word);
    void ClearMarks();
    // The rows the find marked, while a find is on.
    std::optional<std::size_t> Matches() const;
    // What changed in the folder, merged in sorted place (see MergeChanges).
    std::vector<std::size_t> Merge(RowChanges changes);
    // Removes the rows gone says; true when any went (the sizes they shared
    // are counted afresh).
    bool RemoveWhere(const std::function<bool(const FileRow&)>& gone);

    std::wstring CellText(int row, int column) const;
    COLORREF CellColor(int row, int column, const ListColors& colors) const;
    // The typed search: the next row whose shown name begins with the typed
    // text, ignoring case; -1 for none.
    int FindByPrefix(const LVFINDINFOW& find, int start) const;
    const TextFormat& Format() const { return format_; }

private:
    std::vector<FileRow> rows_;
    SizeTally tally_;
    int sortKey_ = 1;
    bool descending_ = false;
    std::optional<std::wstring> findWord_;
    LocaleTextFormat format_;
    LocaleCollator collator_;
};

}  // namespace orvane
