#include "mainwindow/file_list_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace orvane {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

void PutUnit(std::string& key, std::uint32_t unit) {
    key += static_cast<char>((unit >> 8) & 0xFF);
    key += static_cast<char>(unit & 0xFF);
}

// Explorer's order: a number before text at the same place, numbers by value,
// and a name that is the start of another before it.
bool NameLess(const std::vector<NameChunk>& a, const std::vector<NameChunk>& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const NameChunk& x = a[i];
        const NameChunk& y = b[i];
        if (x.digits != y.digits) return x.digits;
        if (x.digits && x.key.size() != y.key.size()) return x.key.size() < y.key.size();
        if (const int c = x.key.compare(y.key); c != 0) return c < 0;
    }
    return a.size() < b.size();
}

// Cells without a number sort as the smallest value, so they lead an ascending list.
constexpr std::int64_t kNoNumber = std::numeric_limits<std::int64_t>::min();

// The order of the row indices; descending flips the comparison rather than
// the result, so rows with equal keys keep their order either way.
std::vector<std::size_t> Unchanged(std::size_t count) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    return order;
}

template <class Less>
std::vector<std::size_t> StableOrder(std::size_t count, bool descending, const Less& less) {
    std::vector<std::size_t> order = Unchanged(count);
    if (descending)
        std::stable_sort(order.begin(), order.end(), [&less](std::size_t a, std::size_t b) { return less(b, a); });
    else
        std::stable_sort(order.begin(), order.end(), less);
    return order;
}

template <class Value>
std::vector<std::size_t> OrderByValue(const std::vector<Value>& values, bool descending) {
    return StableOrder(values.size(), descending,
                       [&values](std::size_t a, std::size_t b) { return values[a] < values[b]; });
}

template <class Field>
std::vector<std::int64_t> NumberKeys(const std::vector<FileRow>& rows, const Field& field) {
    std::vector<std::int64_t> keys;
    keys.reserve(rows.size());
    for (const FileRow& row : rows) keys.push_back(field(row));
    return keys;
}

std::vector<std::size_t> OrderByColumn(std::vector<FileRow>& rows, int key, bool descending,
                                       const Collator& collator) {
    switch (static_cast<Column>(key)) {
    case Column::FileName:
        for (FileRow& row : rows)
            if (!row.nameKey) row.nameKey = NameChunks(row.text, collator);
        return StableOrder(rows.size(), descending,
                           [&rows](std::size_t a, std::size_t b) { return NameLess(*rows[a].nameKey, *rows[b].nameKey); });
    case Column::Size:
        return OrderByValue(NumberKeys(rows, [](const FileRow& r) { return r.size; }), descending);
    case Column::Total:
        return OrderByValue(NumberKeys(rows,
                                       [](const FileRow& r) -> std::int64_t {
                                           return r.totalSize < 0 ? kNoNumber : r.totalSize;
                                       }),
                            descending);
    case Column::Percent:
        return OrderByValue(
            NumberKeys(rows, [](const FileRow& r) { return PercentDone(r.size, r.totalSize).value_or(kNoNumber); }),
            descending);
    case Column::Extension:
        for (FileRow& row : rows)
            if (!row.extensionKey) row.extensionKey = collator.Key(row.extension);
        return StableOrder(rows.size(), descending,
                           [&rows](std::size_t a, std::size_t b) { return *rows[a].extensionKey < *rows[b].extensionKey; });
    case Column::Modified: {
        std::vector<double> times;
        times.reserve(rows.size());
        // A NaN would break the ordering the sort relies on; it goes first like an empty cell.
        for (const FileRow& row : rows)
            times.push_back(std::isnan(row.modified) ? -std::numeric_limits<double>::infinity() : row.modified);
        return OrderByValue(times, descending);
    }
    case Column::User:
        for (FileRow& row : rows)
            if (!row.userKey) row.userKey = collator.Key(row.user);
        return StableOrder(rows.size(), descending,
                           [&rows](std::size_t a, std::size_t b) { return *rows[a].userKey < *rows[b].userKey; });
    }
    // A column number from a damaged settings file: leave the list as it is.
    return Unchanged(rows.size());
}

}  // namespace

std::string Collator::Key(std::wstring_view text) const {
    std::string key;
    key.reserve(text.size() * 2);
    for (const wchar_t c : text) {
        std::uint32_t code = static_cast<std::uint32_t>(c);
        if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
        if (code > 0xFFFF) {
            // Where wchar_t holds whole code points, order them as their UTF-16 units would.
            code -= 0x10000;
            PutUnit(key, 0xD800 + ((code >> 10) & 0x3FF));
            PutUnit(key, 0xDC00 + (code & 0x3FF));
        } else {
            PutUnit(key, code);
        }
    }
    return key;
}

std::vector<NameChunk> NameChunks(std::wstring_view name, const Collator& collator) {
    std::vector<NameChunk> chunks;
    std::size_t start = 0;
    while (start < name.size()) {
        NameChunk chunk;
        chunk.digits = IsDigit(name[start]);
        std::size_t end = start;
        while (end < name.size() && IsDigit(name[end]) == chunk.digits) ++end;
        const std::wstring_view run = name.substr(start, end - start);
        if (chunk.digits) {
            const std::size_t first = run.find_first_not_of(L'0');
            const std::wstring_view value = first == std::wstring_view::npos ? std::wstring_view(L"0") : run.substr(first);
            for (const wchar_t c : value) chunk.key += static_cast<char>(c);
        } else {
            chunk.key = collator.Key(run);
        }
        chunks.push_back(std::move(chunk));
        start = end;
    }
    return chunks;
}

std::vector<std::size_t> SortRows(std::vector<FileRow>& rows, int key, int order, const Collator& collator) {
    const std::vector<std::size_t> permutation = OrderByColumn(rows, key, order != 0, collator);
    std::vector<FileRow> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t from : permutation) sorted.push_back(std::move(rows[from]));
    rows = std::move(sorted);
    return permutation;
}

}  // namespace orvane
