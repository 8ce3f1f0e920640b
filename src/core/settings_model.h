// The settings held in memory, and the conversions of their stored texts.
// Platform-free: reading goes through a caller-supplied function so that the
// same rules serve the real settings file and the tests.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// A decimal number as stored in the settings file: optional spaces, an
// optional sign, digits with an optional fraction, optional spaces. Anything
// else (empty text, words, trailing garbage) is not a number.
std::optional<double> ParseNumber(std::wstring_view text);

// Numeric settings: the nearest integer (halves to even), or the fallback
// when the text is empty, not a number, or outside the type's range.
std::int16_t ToInt16(std::wstring_view text, std::int16_t fallback);
std::int32_t ToInt32(std::wstring_view text, std::int32_t fallback);

// A stored window edge in twips; nothing when empty or not a number.
std::optional<int> ToTwips(std::wstring_view text);

// A stored path as the program uses it: a path from a drive ("C:\...", and
// "C:dl", which is that drive's business), a network share ("\\server\...")
// or a "\\?\" path stays as it is; one that starts at the root ("\dl") gets
// the folder's drive; any other is relative to the folder (which ends with a
// backslash). A blank path stays as it is.
std::wstring ResolvedAgainst(std::wstring_view folder, std::wstring_view path);

// The text a value written to the settings file reads back as: the platform
// ends it at a line break, and its reader strips surrounding blanks and one
// pair of matching quotes (single or double). Stripping is repeated until
// nothing changes, so that writing the result again reads back the same.
std::wstring StableProfileValue(std::wstring_view value);

// Reads one key: (section, key, default) -> stored text or the default.
using IniReader =
    std::function<std::wstring(std::wstring_view section, std::wstring_view key, std::wstring_view fallback)>;

struct Settings {
    std::wstring filePath;       // PATH/FILE_PATH: the client's download folder
    std::wstring defaultDir;     // PATH/DEFAULT_DIR
    bool deleteConfirm = true;   // SYSTEM/DELMSG: on unless exactly "0"
    bool refDirView = true;      // SYSTEM/REFDIRVIEW read as a number equals 1
    std::wstring left;           // SYSTEM/LEFT, twips as stored
    std::wstring top;            // SYSTEM/TOP
    std::int16_t sortKey = 1;    // SORT/KEY
    std::int16_t sortOrder = 0;  // SORT/ORDER
    std::wstring background;     // DESIGN/BG
    std::int16_t alignment = 0;
    std::int16_t invisibleEnabled = 0;
    std::int16_t invisible = 255;
    std::int32_t listTextColor = static_cast<std::int32_t>(0x80000008u);
    std::int16_t gridLines = 1;
    std::int32_t sizeColor = 65280;
    std::int16_t dummyInitialDisp = 1;  // DMY/INITIALDISP
    std::int16_t dummySizeDisp = 1;     // DMY/SIZEDISP
    std::int16_t dummySizeSrc = 1;      // DMY/SIZESRC
    std::int32_t dummyColor = 8421504;  // DMY/COLOR
    // Section VIEW, which only this program's later versions know: files
    // that know only the keys above stay readable by anything that does.
    bool autoRefresh = true;     // VIEW/AUTOREFRESH: the list follows its folder
    std::wstring width;          // VIEW/WIDTH, twips as stored
    std::wstring height;         // VIEW/HEIGHT
    std::int16_t maximized = 0;  // VIEW/MAXIMIZED: 1 when the window was left maximised
    std::wstring splitter;       // VIEW/SPLITTER, the splitter's place in twips
    std::wstring columnWidths;   // VIEW/COLUMNS, the seven widths in twips, comma-separated

    bool operator==(const Settings&) const = default;
};

// Every setting the program stores, one key each.
enum class SettingKey {
    FilePath,
    DeleteConfirm,
    DefaultDir,
    SortKey,
    SortOrder,
    Background,
    Alignment,
    InvisibleEnabled,
    Invisible,
    ListTextColor,
    GridLines,
    SizeColor,
    RefDirView,
    Left,
    Top,
    DummyInitialDisp,
    DummySizeDisp,
    DummySizeSrc,
    DummyColor,
    AutoRefresh,
    Width,
    Height,
    Maximized,
    Splitter,
    ColumnWidths,
};
inline constexpr int kSettingCount = 25;

// Writes one key: (section, key, value).
using IniWriter = std::function<void(std::wstring_view section, std::wstring_view key, std::wstring_view value)>;

// Reads every setting once, in the order the settings file is consulted at
// start-up. The find history is not part of it.
Settings ReadSettings(const IniReader& read);

// Writes the named settings from memory, each under its own section and key
// and in the form ReadSettings reads back (numbers in decimal, system
// colours as negative numbers, switches as "1" or "0").
void WriteSettings(const IniWriter& write, const Settings& settings, std::initializer_list<SettingKey> keys);

// The find history: entry k (from 1) of the list of words looked for.
std::wstring ReadFindWord(const IniReader& read, std::size_t number, std::wstring_view fallback = L"");
void WriteFindWord(const IniWriter& write, std::size_t number, std::wstring_view word);

}  // namespace orvane
