#include "core/list_changes.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace orvane {

namespace {

template <class Map, class Value>
void Count(Map& counts, Value value, bool add) {
    if (add) {
        ++counts[value];
        return;
    }
    const auto found = counts.find(value);
    if (found == counts.end()) return;
    if (--found->second == 0) counts.erase(found);
}

void CountRow(SizeTally& tally, const FileRow& row, bool add) {
    Count(tally.sizes, row.size, add);
    Count(tally.totals, row.totalSize, add);
    tally.rows = add ? tally.rows + 1 : tally.rows - 1;
}

bool Shares(const SizeTally& tally, std::int64_t size) {
    const auto found = tally.sizes.find(size);
    return size != 0 && found != tally.sizes.end() && found->second > 1;
}

bool SharesTotal(const SizeTally& tally, std::int32_t total) {
    const auto found = tally.totals.find(total);
    return total > 0 && found != tally.totals.end() && found->second > 1;
}

// The count of each size an update touched, as it was before the update:
// only where a count crossed from one to more (or back) did colours turn.
struct Touched {
    std::unordered_map<std::int64_t, std::size_t> sizes;
    std::unordered_map<std::int32_t, std::size_t> totals;
    void Note(const SizeTally& tally, const FileRow& row) {
        const auto size = tally.sizes.find(row.size);
        sizes.try_emplace(row.size, size == tally.sizes.end() ? 0 : size->second);
        const auto total = tally.totals.find(row.totalSize);
        totals.try_emplace(row.totalSize, total == tally.totals.end() ? 0 : total->second);
    }
};

template <class Map, class Value>
std::unordered_set<Value> Turned(const Map& before, const Map& after) {
    std::unordered_set<Value> turned;
    for (const auto& [value, count] : before) {
        const auto now = after.find(value);
        if ((count > 1) != (now != after.end() && now->second > 1)) turned.insert(value);
    }
    return turned;
}

}  // namespace

void RecountSizes(std::vector<FileRow>& rows, SizeTally& tally) {
    tally.Reset();
    for (const FileRow& row : rows) CountRow(tally, row, true);
    tally.counted = true;
    for (FileRow& row : rows) {
        row.sizeShared = Shares(tally, row.size);
        row.totalShared = SharesTotal(tally, row.totalSize);
    }
}

std::vector<std::size_t> MergeChanges(std::vector<FileRow>& rows, SizeTally& tally, RowChanges changes, int key,
                                      int order, const Collator& collator, const std::optional<std::wstring>& findWord,
                                      const UpperCase& upper) {
    // Counted once per listing; a count that no longer fits the rows (rows
    // dropped elsewhere, leaving flags of sizes no longer shared) is made
    // again, flags and all, rather than trusted.
    if (!tally.counted || tally.rows != rows.size()) RecountSizes(rows, tally);

    // The latest state of each changed name; a name both present and gone is present.
    std::unordered_map<std::wstring_view, std::size_t> presentByName;
    presentByName.reserve(changes.present.size());
    for (std::size_t i = 0; i < changes.present.size(); ++i) presentByName.insert_or_assign(changes.present[i].key, i);
    const std::unordered_set<std::wstring_view> goneNames(changes.gone.begin(), changes.gone.end());
    std::unordered_map<std::wstring_view, std::size_t> renamedTo;  // old name, the present row of its file
    for (const auto& [from, to] : changes.renamed)
        if (const auto present = presentByName.find(to); present != presentByName.end() && from != to)
            renamedTo.insert_or_assign(from, present->second);
    std::vector<std::size_t> cameFrom(changes.present.size(), kNewRow);
    Touched touched;

    // The rows are moved in place, never copied to new memory: for a long
    // list that costs more than all the rest of an update.
    const std::size_t count = rows.size();
    std::vector<std::size_t> from(count);
    std::size_t kept = 0;
    const bool anyChange = changes.complete || !presentByName.empty() || !goneNames.empty();
    for (std::size_t i = 0; i < count; ++i) {
        FileRow& row = rows[i];
        if (anyChange) {
            const auto present = presentByName.find(row.key);
            if (present != presentByName.end() || changes.complete || goneNames.contains(row.key)) {
                if (present != presentByName.end()) {
                    if (cameFrom[present->second] == kNewRow) cameFrom[present->second] = i;
                } else if (const auto renamed = renamedTo.find(row.key);
                           renamed != renamedTo.end() && cameFrom[renamed->second] == kNewRow) {
                    cameFrom[renamed->second] = i;  // the same file under its new name
                }
                touched.Note(tally, row);
                CountRow(tally, row, false);
                continue;
            }
        }
        if (kept != i) rows[kept] = std::move(row);
        from[kept++] = i;
    }

    // The rows that come in (the last of a repeated name), in the list's order among themselves.
    std::vector<std::size_t> incoming;
    for (const auto& [name, index] : presentByName) incoming.push_back(index);
    std::sort(incoming.begin(), incoming.end());
    for (const std::size_t i : incoming) {
        FileRow& row = changes.present[i];
        row.mark = Mark::Normal;
        MakeSortKey(row, key, collator);
        touched.Note(tally, row);
        CountRow(tally, row, true);
    }
    if (findWord) {
        std::vector<FileRow> marked(1);
        for (const std::size_t i : incoming) {
            marked[0].text = ShownName(changes.present[i]);
            MarkMatches(marked, *findWord, upper);
            changes.present[i].mark = marked[0].mark;
        }
    }
    const auto sortsBefore = [&](const FileRow& a, const FileRow& b) { return SortsBefore(a, b, key, order); };
    std::stable_sort(incoming.begin(), incoming.end(),
                     [&](std::size_t a, std::size_t b) { return sortsBefore(changes.present[a], changes.present[b]); });

    // Each incoming row after the kept rows that sort equal, found by binary
    // search. Rows renamed in place may stand out of order; ordering by place
    // keeps the placing pass whole even then.
    std::vector<std::pair<std::size_t, std::size_t>> places;  // kept rows before it, incoming row
    places.reserve(incoming.size());
    for (const std::size_t i : incoming)
        places.emplace_back(
            static_cast<std::size_t>(
                std::upper_bound(rows.begin(), rows.begin() + kept, changes.present[i], sortsBefore) - rows.begin()),
            i);
    std::stable_sort(places.begin(), places.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    // From the end backwards, so that every row moves at most once; rows
    // before the first place stay where they are.
    const std::size_t total = kept + places.size();
    if (total > count) {
        rows.resize(total);
        from.resize(total);
    }
    std::size_t next = places.size();
    for (std::size_t at = total, keptLeft = kept; next > 0;) {
        --at;
        if (places[next - 1].first == keptLeft) {
            --next;
            FileRow& row = changes.present[places[next].second];
            row.sizeShared = Shares(tally, row.size);
            row.totalShared = SharesTotal(tally, row.totalSize);
            rows[at] = std::move(row);
            from[at] = cameFrom[places[next].second];
        } else {
            --keptLeft;
            if (at != keptLeft) {
                rows[at] = std::move(rows[keptLeft]);
                from[at] = from[keptLeft];
            }
        }
    }
    rows.resize(total);
    from.resize(total);

    // Kept rows change colour only where their size's count crossed one.
    const auto turnedSizes = Turned<decltype(touched.sizes), std::int64_t>(touched.sizes, tally.sizes);
    const auto turnedTotals = Turned<decltype(touched.totals), std::int32_t>(touched.totals, tally.totals);
    if (!turnedSizes.empty() || !turnedTotals.empty()) {
        for (FileRow& row : rows) {
            if (turnedSizes.contains(row.size)) row.sizeShared = Shares(tally, row.size);
            if (turnedTotals.contains(row.totalSize)) row.totalShared = SharesTotal(tally, row.totalSize);
        }
    }
    return from;
}

}  // namespace orvane
