#include "core/file_list_model.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace orvane {

namespace {

constexpr double kSecondsPerDay = 86400;
// Serial day of 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kEpochShift = 25569;
// Windows' own date range, 0100-01-01 to 9999-12-31; beyond it we show the base date.
constexpr double kFirstDay = -657434;
constexpr double kLastDay = 2958466;

// Days since 1970-01-01 in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, DateParts& parts) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    parts.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    parts.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    parts.year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (parts.month <= 2));
}

void AppendPadded(std::wstring& out, int value, int width) {
    const std::wstring digits = std::to_wstring(value);
    if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), L'0');
    out += digits;
}

std::wstring AsciiUpper(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return upper;
}

}  // namespace

namespace {

// Marks the rows whose value another row has too, by sorting the values that
// can be shared with their rows' places: cheaper than a hash map of a long list.
template <class Value, class Shareable>
void MarkShared(std::vector<FileRow>& rows, Value FileRow::*value, const Shareable& shareable, bool FileRow::*mark) {
    std::vector<std::pair<Value, std::uint32_t>> values;
    values.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (shareable(rows[i].*value)) values.emplace_back(rows[i].*value, static_cast<std::uint32_t>(i));
    std::sort(values.begin(), values.end());
    for (std::size_t start = 0, end = 0; start < values.size(); start = end) {
        while (end < values.size() && values[end].first == values[start].first) ++end;
        if (end - start > 1)
            for (std::size_t i = start; i < end; ++i) rows[values[i].second].*mark = true;
    }
}

}  // namespace

std::vector<FileRow> BuildRows(FileEntryList& entries, const DummyDisplay& display, const DummyReader& readDummy,
                               std::vector<FileRow> room) {
    // The rows room holds are overwritten in place, keeping the room their strings have.
    std::vector<FileRow> rows = std::move(room);
    rows.resize(entries.size());

    // Every dummy file first, so that the colouring below sees its final size
    // wherever it stands in the folder.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        FileEntry& entry = entries[i];
        rows[i].text.clear();
        if (entry.DummyFlag || entry.Size != kDummyFileSize || !readDummy) continue;
        const std::optional<DummyHeader> header = readDummy(entry);
        if (!header) continue;
        entry.DummyFlag = true;
        entry.TotalSize = kTotalDummy;
        if (display.sourceSize) entry.Size = header->sourceSize;
        rows[i].text = DummyDisplayName(entry.Name, *header, display.showPrefix, display.showSizeSuffix);
    }

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const FileEntry& entry = entries[i];
        FileRow& row = rows[i];
        row.key.assign(entry.Name);
        const std::size_t dot = entry.Name.rfind(L'.');
        if (dot == std::wstring::npos)
            row.extension.clear();
        else
            row.extension.assign(entry.Name, dot + 1);
        row.size = entry.Size;
        row.totalSize = entry.TotalSize;
        row.modified = entry.Modified;
        row.user.assign(entry.User);
        row.dummy = entry.DummyFlag;
        row.sizeShared = row.totalShared = false;
        row.mark = Mark::Normal;
        row.nameKey.reset();
        row.extensionKey.reset();
        row.userKey.reset();
    }
    // A size of 0 and a full size of 0, unknown or a dummy's are never shared.
    const auto nonZero = [](std::int64_t size) { return size != 0; };
    const auto positive = [](std::int32_t total) { return total > 0; };
    MarkShared(rows, &FileRow::size, nonZero, &FileRow::sizeShared);
    MarkShared(rows, &FileRow::totalSize, positive, &FileRow::totalShared);
    // Room kept from a far longer list is given back.
    if (rows.capacity() > 2 * rows.size() + 1024) rows.shrink_to_fit();
    return rows;
}

std::wstring ExtensionOf(std::wstring_view name) {
    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring_view::npos) return {};
    return std::wstring(name.substr(dot + 1));
}

std::optional<std::int64_t> PercentDone(std::int64_t size, std::int32_t totalSize) {
    if (totalSize <= 0) return std::nullopt;
    // Integers, split so that size * 100 cannot overflow; sizes are never negative,
    // so dropping the fraction rounds down.
    return size / totalSize * 100 + size % totalSize * 100 / totalSize;
}

double DateFromParts(const DateParts& parts) {
    const double day = static_cast<double>(
        DaysFromCivil(parts.year, static_cast<unsigned>(parts.month), static_cast<unsigned>(parts.day)) + kEpochShift);
    const double time = (parts.hour * 3600 + parts.minute * 60 + parts.second) / kSecondsPerDay;
    // Before the base date Windows counts the day backwards but the time forwards.
    return day < 0 ? day - time : day + time;
}

DateParts PartsFromDate(double days) {
    DateParts parts;
    if (!std::isfinite(days) || days < kFirstDay || days >= kLastDay) return parts;
    std::int64_t day = static_cast<std::int64_t>(days);  // towards zero: see DateFromParts
    // Whole seconds first: 09:05 stored as 09:04:59.99999 must not show 09:04 or 60 minutes.
    std::int64_t seconds = std::llround(std::fabs(days - static_cast<double>(day)) * kSecondsPerDay);
    if (seconds >= static_cast<std::int64_t>(kSecondsPerDay)) {
        seconds -= static_cast<std::int64_t>(kSecondsPerDay);
        ++day;
    }
    CivilFromDays(day - kEpochShift, parts);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

std::wstring TextFormat::Number(std::int64_t value) const {
    // Unsigned magnitude so that the smallest value has a positive counterpart.
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::wstring reversed;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) reversed += L',';
        reversed += static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (value < 0) reversed += L'-';
    return {reversed.rbegin(), reversed.rend()};
}

std::wstring TextFormat::Date(double days) const {
    const DateParts p = PartsFromDate(days);
    std::wstring text;
    AppendPadded(text, p.year, 4);
    text += L'/';
    AppendPadded(text, p.month, 2);
    text += L'/';
    AppendPadded(text, p.day, 2);
    text += L' ';
    AppendPadded(text, p.hour, 2);
    text += L':';
    AppendPadded(text, p.minute, 2);
    return text;
}

namespace {

std::wstring TotalText(const FileRow& row, const TextFormat& format) {
    if (row.totalSize == kTotalUnknown) return L"無";
    if (row.totalSize == kTotalDummy) return L"ダミー";
    return format.Number(row.totalSize);
}

std::wstring PercentText(const FileRow& row, const TextFormat&) {
    if (const auto percent = PercentDone(row.size, row.totalSize)) return std::to_wstring(*percent) + L"%";
    return {};
}

// In the list's order, each at its number less one.
constexpr FileColumn kColumns[kColumnCount] = {
    {.column = Column::FileName,
     .caption = L"ファイル名",
     .widthTwips = 4000,
     .align = ColumnAlign::Left,
     .text = [](const FileRow& row, const TextFormat&) { return ShownName(row); },
     .sort = SortKind::Name,
     .sortText = ShownName,
     .sortKey = &FileRow::nameKey},
    {.column = Column::Size,
     .caption = L"現サイズ",
     .widthTwips = 1300,
     .align = ColumnAlign::Right,
     .text = [](const FileRow& row, const TextFormat& format) { return format.Number(row.size); },
     .sort = SortKind::Number,
     .number = [](const FileRow& row) -> std::optional<std::int64_t> { return row.size; },
     .shared = &FileRow::sizeShared},
    {.column = Column::Total,
     .caption = L"全サイズ",
     .widthTwips = 1300,
     .align = ColumnAlign::Right,
     .text = TotalText,
     .sort = SortKind::Number,
     .number = [](const FileRow& row) -> std::optional<std::int64_t> {
         if (row.totalSize < 0) return std::nullopt;  // "無", "ダミー"
         return row.totalSize;
     },
     .shared = &FileRow::totalShared},
    {.column = Column::Percent,
     .caption = L"率",
     .widthTwips = 600,
     .align = ColumnAlign::Right,
     .text = PercentText,
     .sort = SortKind::Number,
     .number = [](const FileRow& row) { return PercentDone(row.size, row.totalSize); }},
    {.column = Column::Extension,
     .caption = L"拡張子",
     .widthTwips = 800,
     .align = ColumnAlign::Left,
     .text = [](const FileRow& row, const TextFormat&) { return row.extension; },
     .sort = SortKind::Text,
     .sortText = [](const FileRow& row) -> const std::wstring& { return row.extension; },
     .sortKey = &FileRow::extensionKey},
    {.column = Column::Modified,
     .caption = L"更新日",
     .widthTwips = 1700,
     .align = ColumnAlign::Left,
     .text = [](const FileRow& row, const TextFormat& format) { return format.Date(row.modified); },
     .sort = SortKind::Time},
    {.column = Column::User,
     .caption = L"ユーザ",
     .widthTwips = 1500,
     .align = ColumnAlign::Left,
     .text = [](const FileRow& row, const TextFormat&) { return row.user; },
     .sort = SortKind::Text,
     .sortText = [](const FileRow& row) -> const std::wstring& { return row.user; },
     .sortKey = &FileRow::userKey},
};

constexpr bool NumberedInOrder() {
    for (int i = 0; i < kColumnCount; ++i)
        if (static_cast<int>(kColumns[i].column) != i + 1) return false;
    return true;
}
static_assert(NumberedInOrder(), "a column's number less one is its index");

}  // namespace

std::span<const FileColumn> FileColumns() { return kColumns; }

const FileColumn* ColumnAt(int index) { return index >= 0 && index < kColumnCount ? &kColumns[index] : nullptr; }

const FileColumn* ColumnNumbered(int number) { return ColumnAt(number - 1); }

int ColumnIndex(Column column) { return static_cast<int>(column) - 1; }

std::wstring CellText(const FileRow& row, Column column, const TextFormat& format) {
    const FileColumn* def = ColumnNumbered(static_cast<int>(column));
    return def ? def->text(row, format) : std::wstring();
}

std::uint32_t CellColor(const FileRow& row, Column column, const ListColors& colors) {
    const FileColumn* def = ColumnNumbered(static_cast<int>(column));
    if (def && def->shared && row.*def->shared) return colors.sizeColor;
    switch (row.mark) {
    case Mark::Found:
        return colors.highlight;
    case Mark::NotFound:
        // A dummy stays told apart from the files, unless it matches.
        return row.dummy ? colors.dummyColor : colors.unmatched;
    case Mark::Normal:
        break;
    }
    return row.dummy ? colors.dummyColor : colors.listText;
}

void MarkMatches(std::vector<FileRow>& rows, std::wstring_view word, const UpperCase& upper) {
    const auto toUpper = [&upper](std::wstring_view text) { return upper ? upper(text) : AsciiUpper(text); };
    const std::wstring wanted = toUpper(word);
    for (FileRow& row : rows)
        row.mark = toUpper(ShownName(row)).find(wanted) != std::wstring::npos ? Mark::Found : Mark::NotFound;
}

void ClearMarks(std::vector<FileRow>& rows) {
    for (FileRow& row : rows) row.mark = Mark::Normal;
}

int NextMarkedRow(const std::vector<FileRow>& rows, int from, bool forward) {
    const auto count = static_cast<long long>(rows.size());
    if (count == 0) return -1;
    long long at = from < 0 ? (forward ? -1 : count) : from;
    for (long long step = 0; step < count; ++step) {
        at = forward ? (at + 1) % count : (at - 1 + count) % count;
        if (rows[static_cast<std::size_t>(at)].mark == Mark::Found) return static_cast<int>(at);
    }
    return -1;
}

}  // namespace orvane
