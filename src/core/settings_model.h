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

// How a stored text becomes the value in memory, and back.
enum class SettingForm {
    Text,          // as stored
    OnUnlessZero,  // a switch that only "0" turns off
    NumberIsOne,   // a switch that is on when the text reads as the number 1
    Number,        // an integer of the field's type; the default where the text is none
};

// Every setting the program stores, once, in the order the settings file is
// consulted at start-up: its key, its field in memory, the field's type and
// default, its section and name in the settings file, and how its text reads.
// A missing key reads as the default's stored text. Section VIEW is known
// only to this program's later versions: files that know only the keys
// before it stay readable by anything that does.
#define ORVANE_SETTINGS(X)                                                                                             \
    X(FilePath, filePath, std::wstring, L"", L"PATH", L"FILE_PATH", Text) /* the client's download folder */           \
    X(DeleteConfirm, deleteConfirm, bool, true, L"SYSTEM", L"DELMSG", OnUnlessZero)                                    \
    X(DefaultDir, defaultDir, std::wstring, L"", L"PATH", L"DEFAULT_DIR", Text)                                        \
    X(SortKey, sortKey, std::int16_t, 1, L"SORT", L"KEY", Number)                                                      \
    X(SortOrder, sortOrder, std::int16_t, 0, L"SORT", L"ORDER", Number)                                                \
    X(Background, background, std::wstring, L"", L"DESIGN", L"BG", Text)                                               \
    X(Alignment, alignment, std::int16_t, 0, L"DESIGN", L"ALIGNMENT", Number)                                          \
    X(InvisibleEnabled, invisibleEnabled, std::int16_t, 0, L"DESIGN", L"INVISIBLEENABLED", Number)                     \
    X(Invisible, invisible, std::int16_t, 255, L"DESIGN", L"INVISIBLE", Number)                                        \
    X(ListTextColor, listTextColor, std::int32_t, static_cast<std::int32_t>(0x80000008u), L"DESIGN", L"LISTTEXTCOLOR", \
      Number)                                                                                                          \
    X(GridLines, gridLines, std::int16_t, 1, L"DESIGN", L"LINE", Number)                                               \
    X(SizeColor, sizeColor, std::int32_t, 65280, L"DESIGN", L"SIZECOLOR", Number)                                      \
    X(RefDirView, refDirView, bool, true, L"SYSTEM", L"REFDIRVIEW", NumberIsOne)                                       \
    X(Left, left, std::wstring, L"", L"SYSTEM", L"LEFT", Text) /* twips as stored */                                   \
    X(Top, top, std::wstring, L"", L"SYSTEM", L"TOP", Text)                                                            \
    X(DummyInitialDisp, dummyInitialDisp, std::int16_t, 1, L"DMY", L"INITIALDISP", Number)                             \
    X(DummySizeDisp, dummySizeDisp, std::int16_t, 1, L"DMY", L"SIZEDISP", Number)                                      \
    X(DummySizeSrc, dummySizeSrc, std::int16_t, 1, L"DMY", L"SIZESRC", Number)                                         \
    X(DummyColor, dummyColor, std::int32_t, 8421504, L"DMY", L"COLOR", Number)                                         \
    X(AutoRefresh, autoRefresh, bool, true, L"VIEW", L"AUTOREFRESH", NumberIsOne) /* the list follows its folder */    \
    X(Width, width, std::wstring, L"", L"VIEW", L"WIDTH", Text)                   /* twips as stored */                \
    X(Height, height, std::wstring, L"", L"VIEW", L"HEIGHT", Text)                                                     \
    X(Maximized, maximized, std::int16_t, 0, L"VIEW", L"MAXIMIZED", Number)     /* 1: left maximised */                \
    X(Splitter, splitter, std::wstring, L"", L"VIEW", L"SPLITTER", Text)        /* the splitter's place in twips */    \
    X(ColumnWidths, columnWidths, std::wstring, L"", L"VIEW", L"COLUMNS", Text) /* seven widths in twips, "," */       \
    X(ShownFolder, shownFolder, std::wstring, L"", L"VIEW", L"SHOWN", Text) /* name path of the node shown at closing  \
                                                                             */

struct Settings {
#define ORVANE_SETTING_FIELD(key, field, type, value, section, name, form) type field = value;
    ORVANE_SETTINGS(ORVANE_SETTING_FIELD)
#undef ORVANE_SETTING_FIELD

    bool operator==(const Settings&) const = default;
};

// Every setting the program stores, one key each.
enum class SettingKey {
#define ORVANE_SETTING_KEY(key, ...) key,
    ORVANE_SETTINGS(ORVANE_SETTING_KEY)
#undef ORVANE_SETTING_KEY
};
#define ORVANE_SETTING_ONE(...) +1
inline constexpr int kSettingCount = 0 ORVANE_SETTINGS(ORVANE_SETTING_ONE);
#undef ORVANE_SETTING_ONE

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
