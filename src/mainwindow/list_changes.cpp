#include "mainwindow/list_changes.h"

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

// The sizes whose colour may have turned: those of every row that left or came.
struct Touched {
    std::unordered_set<std::int64_t> sizes;
    std::unordered_set<std::int32_t> totals;
};

}  // namespace

std::vector<std::size_t> MergeChanges(std::vector<FileRow>& rows, SizeTally& tally, RowChanges changes, int key,
                                      int order, const Collator& collator, const std::optional<std::wstring>& findWord,
                                      const UpperCase& upper) {
    // Counted once per listing; a count that no longer fits the rows (rows
    // dropped elsewhere) is made again rather than trusted.
    if (!tally.counted || tally.rows != rows.size()) {
        tally.Reset();
        for (const FileRow& row : rows) CountRow(tally, row, true);
        tally.counted = true;
    }

    // The latest state of each changed name; a name both present and gone is present.
    std::unordered_map<std::wstring_view, std::size_t> presentByName;
    presentByName.reserve(changes.present.size());
    for (std::size_t i = 0; i < changes.present.size(); ++i) presentByName.insert_or_assign(changes.present[i].key, i);
    std::unordered_set<std::wstring_view> goneNames(changes.gone.begin(), changes.gone.end());

    Touched touched;
    std::vector<std::size_t> cameFrom(changes.present.size(), kNewRow);
    std::vector<bool> taken(changes.present.size(), false);
    for (const auto& [name, index] : presentByName) taken[index] = true;  // the last of a repeated name

    // One pass keeps the unchanged rows in their order and takes out the rest.
    std::vector<FileRow> kept;
    std::vector<std::size_t> keptFrom;
    kept.reserve(rows.size() + changes.present.size());
    keptFrom.reserve(rows.size() + changes.present.size());
    const bool anyChange = changes.complete || !presentByName.empty() || !goneNames.empty();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        FileRow& row = rows[i];
        if (anyChange) {
            const auto present = presentByName.find(row.key);
            const bool changed = present != presentByName.end() || changes.complete || goneNames.contains(row.key);
            if (changed) {
                if (present != presentByName.end() && cameFrom[present->second] == kNewRow)
                    cameFrom[present->second] = i;
                touched.sizes.insert(row.size);
                touched.totals.insert(row.totalSize);
                CountRow(tally, row, false);
                continue;
            }
        }
        kept.push_back(std::move(row));
        keptFrom.push_back(i);
    }

    // The rows that come in, in the list's order among themselves.
    std::vector<std::size_t> incoming;
    for (std::size_t i = 0; i < changes.present.size(); ++i) {
        if (!taken[i]) continue;
        FileRow& row = changes.present[i];
        row.mark = Mark::Normal;
        MakeSortKey(row, key, collator);
        touched.sizes.insert(row.size);
        touched.totals.insert(row.totalSize);
        CountRow(tally, row, true);
        incoming.push_back(i);
    }
    if (findWord) {
        std::vector<FileRow> marked(1);
        for (const std::size_t i : incoming) {
            marked[0].text = changes.present[i].text;
            MarkMatches(marked, *findWord, upper);
            changes.present[i].mark = marked[0].mark;
        }
    }
    const auto before = [&](std::size_t a, std::size_t b) {
        return SortsBefore(changes.present[a], changes.present[b], key, order);
    };
    std::stable_sort(incoming.begin(), incoming.end(), before);

    // Each incoming row after the kept rows that sort equal: found by binary
    // search, then all placed in one pass. Rows renamed in place may stand out
    // of order; ordering by place keeps the pass whole even then.
    std::vector<std::pair<std::size_t, std::size_t>> places;  // place among the kept rows, incoming row
    places.reserve(incoming.size());
    for (const std::size_t i : incoming)
        places.emplace_back(static_cast<std::size_t>(std::upper_bound(kept.begin(), kept.end(), changes.present[i],
                                                                      [&](const FileRow& a, const FileRow& b) {
                                                                          return SortsBefore(a, b, key, order);
                                                                      }) -
                                                     kept.begin()),
                            i);
    std::stable_sort(places.begin(), places.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    // Only rows of a touched size can have changed colour.
    const auto recolour = [&](FileRow& row) {
        if (touched.sizes.contains(row.size)) row.sizeShared = Shares(tally, row.size);
        if (touched.totals.contains(row.totalSize)) row.totalShared = SharesTotal(tally, row.totalSize);
    };
    std::vector<FileRow> merged;
    merged.reserve(kept.size() + incoming.size());
    std::vector<std::size_t> from;
    from.reserve(kept.size() + incoming.size());
    std::size_t next = 0;
    for (std::size_t k = 0; k <= kept.size(); ++k) {
        for (; next < places.size() && places[next].first == k; ++next) {
            FileRow& row = changes.present[places[next].second];
            row.sizeShared = Shares(tally, row.size);
            row.totalShared = SharesTotal(tally, row.totalSize);
            from.push_back(cameFrom[places[next].second]);
            merged.push_back(std::move(row));
        }
        if (k == kept.size()) break;
        recolour(kept[k]);
        from.push_back(keptFrom[k]);
        merged.push_back(std::move(kept[k]));
    }
    rows = std::move(merged);
    return from;
}

}  // namespace orvane
