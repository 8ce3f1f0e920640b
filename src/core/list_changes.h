// Changes of a shown folder merged into the sorted rows: rows of changed
// files move to their place, new files come in, vanished ones leave, and the
// size colours and find marks follow, at a cost that grows with the number of
// changed files rather than with the folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/file_list_model.h"

namespace orvane {

// How many rows have each current and each full size, kept between updates
// so that an update need not count every row again.
struct SizeTally {
    std::unordered_map<std::int64_t, std::size_t> sizes;
    std::unordered_map<std::int32_t, std::size_t> totals;
    std::size_t rows = 0;  // the rows counted
    bool counted = false;
    void Reset() { *this = SizeTally(); }
};

// What the folder holds now for the names that changed.
struct RowChanges {
    std::vector<FileRow> present;    // rows of files there now, built afresh (sizes, names, dummy texts)
    std::vector<std::wstring> gone;  // names that are no listed file any more
    bool complete = false;           // present is the whole folder: every other row is gone
    // A gone name and the present name its file has now: the row that goes
    // is the one the new row stands for (a rename by letter case only).
    std::vector<std::pair<std::wstring, std::wstring>> renamed;
};

// Counts the rows afresh and marks the sizes they share: for rows that left
// the list by another way than a merge.
void RecountSizes(std::vector<FileRow>& rows, SizeTally& tally);

inline constexpr std::size_t kNewRow = std::numeric_limits<std::size_t>::max();

// Applies the changes: a present row replaces the row of its name or joins
// the list, each at its place in the order (after rows that sort equal),
// gone rows leave. The other rows keep their order and contents except for
// the shared-size flags that the changes turned (all flags, when rows left
// by another way since the last count). A row that joins or changes
// is marked against findWord when a find is shown (nothing: no marks).
// Returns where each row came from: row i is what row result[i] was before,
// or kNewRow for a file that was not listed.
std::vector<std::size_t> MergeChanges(std::vector<FileRow>& rows, SizeTally& tally, RowChanges changes, int key,
                                      int order, const Collator& collator, const std::optional<std::wstring>& findWord,
                                      const UpperCase& upper);

}  // namespace orvane
