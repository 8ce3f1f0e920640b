#include "core/file_list_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <unordered_map>

namespace orvane {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

void PutUnit(std::string& key, std::uint32_t unit) {
    key += static_cast<char>((unit >> 8) & 0xFF);
    key += static_cast<char>(unit & 0xFF);
}

// Cells without a number sort as the smallest value, so they lead an ascending list.
constexpr std::int64_t kNoNumber = std::numeric_limits<std::int64_t>::min();

// A row's key beside its index: comparisons then read one small array and
// never chase into the rows.
template <class Value>
struct Record {
    Value value;
    std::uint32_t index;  // no folder comes near four thousand million files
};

// Descending flips the comparison rather than the result, so rows with equal
// keys keep their order either way.
template <class Value>
std::vector<std::size_t> StableOrder(std::vector<Record<Value>>& records, bool descending) {
    if (descending)
        std::stable_sort(records.begin(), records.end(),
                         [](const auto& a, const auto& b) { return b.value < a.value; });
    else
        std::stable_sort(records.begin(), records.end(),
                         [](const auto& a, const auto& b) { return a.value < b.value; });
    std::vector<std::size_t> order;
    order.reserve(records.size());
    for (const auto& record : records) order.push_back(record.index);
    return order;
}

template <class Value, class Field>
std::vector<std::size_t> OrderBy(const std::vector<FileRow>& rows, bool descending, const Field& field) {
    std::vector<Record<Value>> records;
    records.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) records.push_back({field(rows[i]), static_cast<std::uint32_t>(i)});
    return StableOrder(records, descending);
}

// Once the rows have been sorted, their cached keys lie scattered over the
// heap; asking for them some rows ahead hides most of the wait for memory.
constexpr std::size_t kAhead = 8;

inline void Prefetch([[maybe_unused]] const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#endif
}

// A byte-string key with its first eight bytes kept inline, which settles
// many comparisons without reading the key itself.
struct TextKey {
    static constexpr std::size_t kHeadBytes = 8;
    std::uint64_t head = 0;
    const char* data = nullptr;
    std::uint32_t size = 0;
    bool operator<(const TextKey& other) const {
        if (head != other.head) return head < other.head;
        // Equal heads: a key that fits in the head is the start of the other.
        if (size <= kHeadBytes || other.size <= kHeadBytes) return size < other.size;
        return std::string_view(data + kHeadBytes, size - kHeadBytes) <
               std::string_view(other.data + kHeadBytes, other.size - kHeadBytes);
    }
};

// Sorts by the byte strings key(i) gives for each row; they are read where
// they lie (a copy gathered into one block is a large, freshly touched
// allocation), and the first bytes kept inline settle most comparisons.
template <class Key>
std::vector<std::size_t> OrderByBytes(std::size_t count, bool descending, const Key& key) {
    std::vector<Record<TextKey>> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view bytes = key(i);
        TextKey text;
        text.data = bytes.data();
        text.size = static_cast<std::uint32_t>(bytes.size());
        for (std::size_t b = 0; b < TextKey::kHeadBytes; ++b)
            text.head = text.head << 8 | (b < bytes.size() ? static_cast<unsigned char>(bytes[b]) : 0u);
        records.push_back({text, static_cast<std::uint32_t>(i)});
    }
    return StableOrder(records, descending);
}

// Appends the chunks as one byte string whose plain byte order is Explorer's:
// a number (01, its length, its digits) before text at the same place (02,
// the key, 00), numbers by length then digits, and a name that is the start
// of another before it. Key bytes are shifted up by one so that the closing
// 00 sorts below all of them (FE and FF take two bytes); the default keys,
// full of 00 bytes, then stay short enough for the inline head to tell most
// names apart.
void AppendChunk(std::string& out, const NameChunk& chunk) {
    if (chunk.digits) {
        out += '\x01';
        const std::size_t length = chunk.key.size();
        if (length < 0xFF) {
            out += static_cast<char>(length);
        } else {
            out += '\xFF';
            for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((length >> shift) & 0xFF);
        }
        out += chunk.key;
        return;
    }
    out += '\x02';
    for (const char c : chunk.key) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0xFE) {
            out += static_cast<char>(byte + 1);
        } else {
            out += '\xFF';
            out += static_cast<char>(byte - 0xFD);
        }
    }
    out += '\0';
}

// The keys of short texts, remembered for one run of key making: the names
// of a download folder repeat their pieces (an extension, the client's
// prefix, a word), and asking the platform costs far more than a look-up.
class RememberingCollator final : public Collator {
public:
    explicit RememberingCollator(const Collator& collator) : collator_(collator) {}
    std::string Key(std::wstring_view text) const override {
        if (text.size() > kLongestKept) return collator_.Key(text);
        if (const auto known = known_.find(text); known != known_.end()) return known->second;
        if (known_.size() >= kMostKept) known_.clear();
        return known_.emplace(std::wstring(text), collator_.Key(text)).first->second;
    }

private:
    static constexpr std::size_t kLongestKept = 24;
    static constexpr std::size_t kMostKept = 1 << 14;
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::wstring_view text) const { return std::hash<std::wstring_view>()(text); }
    };
    const Collator& collator_;
    mutable std::unordered_map<std::wstring, std::string, Hash, std::equal_to<>> known_;
};

// Makes the missing keys of a column: most of a first sort's time. (Sharing
// the work with a second thread made it slower under Wine: the two contend
// inside the platform's collation and allocator.)
void MakeMissingKeys(std::vector<FileRow>& rows, const FileColumn& column, const Collator& platform) {
    const auto text = column.sortText;
    const auto cached = column.sortKey;
    const RememberingCollator collator(platform);
    for (FileRow& row : rows) {
        if (!(row.*cached))
            row.*cached = column.sort == SortKind::Name ? NameSortKey(text(row), collator) : collator.Key(text(row));
    }
}

std::vector<std::size_t> OrderByColumn(std::vector<FileRow>& rows, int key, bool descending, const Collator& collator) {
    const FileColumn* column = ColumnNumbered(key);
    if (column) {
        switch (column->sort) {
        case SortKind::Name:
        case SortKind::Text: {
            MakeMissingKeys(rows, *column, collator);
            const auto cached = column->sortKey;
            return OrderByBytes(rows.size(), descending, [&rows, cached](std::size_t i) {
                if (i + kAhead < rows.size()) Prefetch((rows[i + kAhead].*cached)->data());
                return std::string_view(*(rows[i].*cached));
            });
        }
        case SortKind::Number:
            return OrderBy<std::int64_t>(rows, descending, [number = column->number](const FileRow& r) {
                return number(r).value_or(kNoNumber);
            });
        case SortKind::Time:
            // A NaN would break the ordering the sort relies on; it goes first like an empty cell.
            return OrderBy<double>(rows, descending, [](const FileRow& r) {
                return std::isnan(r.modified) ? -std::numeric_limits<double>::infinity() : r.modified;
            });
        }
    }
    // A column number from a damaged settings file: leave the list as it is.
    std::vector<std::size_t> unchanged(rows.size());
    std::iota(unchanged.begin(), unchanged.end(), std::size_t{0});
    return unchanged;
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

namespace {

// Calls each(chunk) for the runs of digits and of other characters in turn.
template <class Each>
void ForEachChunk(std::wstring_view name, const Collator& collator, const Each& each) {
    std::size_t start = 0;
    while (start < name.size()) {
        NameChunk chunk;
        chunk.digits = IsDigit(name[start]);
        std::size_t end = start;
        while (end < name.size() && IsDigit(name[end]) == chunk.digits) ++end;
        const std::wstring_view run = name.substr(start, end - start);
        if (chunk.digits) {
            const std::size_t first = run.find_first_not_of(L'0');
            const std::wstring_view value =
                first == std::wstring_view::npos ? std::wstring_view(L"0") : run.substr(first);
            for (const wchar_t c : value) chunk.key += static_cast<char>(c);
        } else {
            chunk.key = collator.Key(run);
        }
        each(chunk);
        start = end;
    }
}

}  // namespace

std::vector<NameChunk> NameChunks(std::wstring_view name, const Collator& collator) {
    std::vector<NameChunk> chunks;
    ForEachChunk(name, collator, [&chunks](const NameChunk& chunk) { chunks.push_back(chunk); });
    return chunks;
}

std::string NameSortKey(std::wstring_view name, const Collator& collator) {
    // Made in a block kept for the next name, then copied once at its size:
    // growing each key by its pieces cost several allocations a name.
    thread_local std::string scratch;
    scratch.clear();
    ForEachChunk(name, collator, [](const NameChunk& chunk) { AppendChunk(scratch, chunk); });
    return scratch;
}

NameKeyMaker::NameKeyMaker(const Collator& collator) : remembering_(std::make_unique<RememberingCollator>(collator)) {}

NameKeyMaker::~NameKeyMaker() = default;

std::string NameKeyMaker::Key(std::wstring_view name) const { return NameSortKey(name, *remembering_); }

void AdoptNameKeys(std::vector<FileRow>& rows, std::vector<std::string>& keys) {
    const std::size_t count = std::min(rows.size(), keys.size());
    for (std::size_t i = 0; i < count; ++i)
        if (rows[i].text.empty() && !keys[i].empty()) rows[i].nameKey = std::move(keys[i]);
}

std::vector<std::size_t> SortRows(std::vector<FileRow>& rows, int key, int order, const Collator& collator) {
    const std::vector<std::size_t> permutation = OrderByColumn(rows, key, order != 0, collator);
    // The rows are put in their places where they lie, one cycle of the
    // permutation at a time: a second block as large as the rows, freshly
    // touched, cost more than the whole sort.
    std::vector<bool> placed(permutation.size());
    for (std::size_t start = 0; start < permutation.size(); ++start) {
        if (placed[start] || permutation[start] == start) continue;
        FileRow first = std::move(rows[start]);
        std::size_t at = start;
        for (std::size_t next = permutation[at]; next != start; next = permutation[at]) {
            Prefetch(&rows[permutation[next]]);
            rows[at] = std::move(rows[next]);
            placed[at] = true;
            at = next;
        }
        rows[at] = std::move(first);
        placed[at] = true;
    }
    return permutation;
}

namespace {

std::int64_t NumberOf(const FileColumn& column, const FileRow& row) { return column.number(row).value_or(kNoNumber); }

std::string_view KeyOf(const std::optional<std::string>& key) {
    return key ? std::string_view(*key) : std::string_view();
}

double TimeOf(const FileRow& row) {
    return std::isnan(row.modified) ? -std::numeric_limits<double>::infinity() : row.modified;
}

}  // namespace

void MakeSortKey(FileRow& row, int key, const Collator& collator) {
    const FileColumn* column = ColumnNumbered(key);
    if (!column || (column->sort != SortKind::Name && column->sort != SortKind::Text) || row.*column->sortKey) return;
    row.*column->sortKey = column->sort == SortKind::Name ? NameSortKey(column->sortText(row), collator)
                                                          : collator.Key(column->sortText(row));
}

bool SortsBefore(const FileRow& a, const FileRow& b, int key, int order) {
    const FileColumn* column = ColumnNumbered(key);
    if (!column) return false;  // a damaged column number leaves the rows as they are
    const FileRow& first = order != 0 ? b : a;
    const FileRow& second = order != 0 ? a : b;
    switch (column->sort) {
    case SortKind::Name:
    case SortKind::Text:
        return KeyOf(first.*column->sortKey) < KeyOf(second.*column->sortKey);
    case SortKind::Number:
        return NumberOf(*column, first) < NumberOf(*column, second);
    case SortKind::Time:
        return TimeOf(first) < TimeOf(second);
    }
    return false;
}

}  // namespace orvane
