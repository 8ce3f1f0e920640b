#include "core/settings_model.h"

#include <gtest/gtest.h>

#include <map>

namespace orvane {
namespace {

// A settings file as a map; missing keys give the caller's default.
struct FakeIni {
    std::map<std::wstring, std::wstring> values;  // "SECTION/KEY" -> text
    Settings Read() const {
        return ReadSettings([this](std::wstring_view section, std::wstring_view key, std::wstring_view fallback) {
            const auto it = values.find(std::wstring(section) + L"/" + std::wstring(key));
            return it == values.end() ? std::wstring(fallback) : it->second;
        });
    }
};

TEST(SettingsModel, EveryKeyWrittenFromMemoryReadsBackTheSameUnderItsOwnName) {
    Settings s;
    s.filePath = L"C:\\dl";
    s.defaultDir = L"D:\\";
    s.deleteConfirm = false;
    s.refDirView = false;
    s.left = L"1500";
    s.top = L"-300";
    s.sortKey = 7;
    s.sortOrder = 1;
    s.background = L"背景.png";
    s.alignment = 2;
    s.invisibleEnabled = 1;
    s.invisible = 0;
    s.listTextColor = static_cast<std::int32_t>(0x80000005u);  // a system colour
    s.gridLines = 0;
    s.sizeColor = 0xFFFFFF;
    s.dummyInitialDisp = 0;
    s.dummySizeDisp = 0;
    s.dummySizeSrc = 0;
    s.dummyColor = -1;
    s.autoRefresh = false;
    s.width = L"9000";
    s.maximized = 1;
    s.columnWidths = L"1,2,3,4,5,6,7";
    FakeIni ini;
    const IniWriter write = [&](std::wstring_view section, std::wstring_view key, std::wstring_view value) {
        ini.values[std::wstring(section) + L"/" + std::wstring(key)] = value;
    };
    for (int k = 0; k < kSettingCount; ++k) WriteSettings(write, s, {static_cast<SettingKey>(k)});
    std::wstring names;  // the settings file's own names, which other versions of the program read too
    for (const auto& [name, value] : ini.values) names += name + L" ";
    EXPECT_EQ(
        names,
        L"DESIGN/ALIGNMENT DESIGN/BG DESIGN/INVISIBLE DESIGN/INVISIBLEENABLED DESIGN/LINE DESIGN/LISTTEXTCOLOR "
        L"DESIGN/SIZECOLOR DMY/COLOR DMY/INITIALDISP DMY/SIZEDISP DMY/SIZESRC PATH/DEFAULT_DIR PATH/FILE_PATH "
        L"SORT/KEY SORT/ORDER SYSTEM/DELMSG SYSTEM/LEFT SYSTEM/REFDIRVIEW SYSTEM/TOP VIEW/AUTOREFRESH VIEW/COLUMNS "
        L"VIEW/HEIGHT VIEW/MAXIMIZED VIEW/SHOWN VIEW/SPLITTER VIEW/WIDTH ");
    EXPECT_EQ(ini.values[L"DESIGN/LISTTEXTCOLOR"], L"-2147483643");
    EXPECT_EQ(ini.values[L"SYSTEM/DELMSG"], L"0");
    EXPECT_TRUE(ini.Read() == s);

    // Switched on again, the switches read back on.
    s.deleteConfirm = s.refDirView = true;
    WriteSettings(write, s, {SettingKey::DeleteConfirm, SettingKey::RefDirView});
    EXPECT_TRUE(ini.Read() == s);

    WriteFindWord(write, 12, L"春");
    EXPECT_EQ(ini.values[L"FIND/WORD12"], L"春");
    EXPECT_EQ(
        ReadFindWord([&](std::wstring_view, std::wstring_view key, std::wstring_view) { return std::wstring(key); }, 3),
        L"WORD3");
}

TEST(SettingsModel, NumbersAreDecimalWithOptionalFractionAndSpaces) {
    EXPECT_EQ(ParseNumber(L"12"), 12.0);
    EXPECT_EQ(ParseNumber(L" -7 "), -7.0);
    EXPECT_EQ(ParseNumber(L"1.0"), 1.0);
    EXPECT_EQ(ParseNumber(L"2.5"), 2.5);
    EXPECT_FALSE(ParseNumber(L""));
    EXPECT_FALSE(ParseNumber(L"   "));
    EXPECT_FALSE(ParseNumber(L"no"));
    EXPECT_FALSE(ParseNumber(L"12px"));
    EXPECT_FALSE(ParseNumber(L"."));
    EXPECT_FALSE(ParseNumber(L"-"));
}

TEST(SettingsModel, IntegersRoundToNearestAndFallBackOutsideTheirRange) {
    EXPECT_EQ(ToInt16(L"7", 1), 7);
    EXPECT_EQ(ToInt16(L"1.4", 9), 1);
    EXPECT_EQ(ToInt16(L"1.6", 9), 2);
    EXPECT_EQ(ToInt16(L"32767", 1), 32767);
    EXPECT_EQ(ToInt16(L"32768", 1), 1);
    EXPECT_EQ(ToInt16(L"-32769", 1), 1);
    EXPECT_EQ(ToInt16(L"abc", 255), 255);
    EXPECT_EQ(ToInt32(L"-2147483640", 0), -2147483640);
    EXPECT_EQ(ToInt32(L"2147483648", 65280), 65280);
    EXPECT_EQ(ToTwips(L"1234.6"), 1235);
    EXPECT_EQ(ToTwips(L"-300"), -300);
    EXPECT_FALSE(ToTwips(L""));
    EXPECT_FALSE(ToTwips(L"left"));
}

TEST(SettingsModel, WithoutASettingsFileEveryDefaultHolds) {
    const Settings s = FakeIni{}.Read();
    EXPECT_EQ(s.filePath, L"");
    EXPECT_EQ(s.defaultDir, L"");
    EXPECT_TRUE(s.deleteConfirm);
    EXPECT_TRUE(s.refDirView);
    EXPECT_EQ(s.left, L"");
    EXPECT_EQ(s.top, L"");
    EXPECT_EQ(s.sortKey, 1);
    EXPECT_EQ(s.sortOrder, 0);
    EXPECT_EQ(s.background, L"");
    EXPECT_EQ(s.alignment, 0);
    EXPECT_EQ(s.invisibleEnabled, 0);
    EXPECT_EQ(s.invisible, 255);
    EXPECT_EQ(static_cast<std::uint32_t>(s.listTextColor), 0x80000008u);
    EXPECT_EQ(s.gridLines, 1);
    EXPECT_EQ(s.sizeColor, 0x00FF00);
    EXPECT_EQ(s.dummyInitialDisp, 1);
    EXPECT_EQ(s.dummySizeDisp, 1);
    EXPECT_EQ(s.dummySizeSrc, 1);
    EXPECT_EQ(s.dummyColor, 0x808080);
}

TEST(SettingsModel, StoredValuesAreConvertedAndBadNumbersFallBack) {
    FakeIni ini;
    ini.values = {{L"PATH/FILE_PATH", L"C:\\WinMX"}, {L"SORT/KEY", L"6"},           {L"SORT/ORDER", L"x"},
                  {L"DESIGN/INVISIBLE", L""},        {L"DESIGN/SIZECOLOR", L"255"}, {L"DMY/COLOR", L"-2147483643"},
                  {L"SYSTEM/LEFT", L"1500"}};
    const Settings s = ini.Read();
    EXPECT_EQ(s.filePath, L"C:\\WinMX");
    EXPECT_EQ(s.sortKey, 6);
    EXPECT_EQ(s.sortOrder, 0);    // not a number: the default
    EXPECT_EQ(s.invisible, 255);  // present but empty: the default
    EXPECT_EQ(s.sizeColor, 255);
    EXPECT_EQ(s.dummyColor, -2147483643);
    EXPECT_EQ(s.left, L"1500");
}

TEST(SettingsModel, DeleteConfirmationIsOffOnlyForExactlyZero) {
    for (const wchar_t* text : {L"", L"1", L"no", L" 0", L"00"}) {
        FakeIni ini;
        ini.values[L"SYSTEM/DELMSG"] = text;
        EXPECT_TRUE(ini.Read().deleteConfirm) << text;
    }
    FakeIni off;
    off.values[L"SYSTEM/DELMSG"] = L"0";
    EXPECT_FALSE(off.Read().deleteConfirm);
}

TEST(SettingsModel, TreeShownWhenStoredValueIsNumericallyOne) {
    const std::pair<const wchar_t*, bool> cases[] = {{L"1", true},  {L"1.0", true},     {L"2", false},
                                                     {L"0", false}, {L"garbage", true}, {L"", true}};
    for (const auto& [text, shown] : cases) {
        FakeIni ini;
        ini.values[L"SYSTEM/REFDIRVIEW"] = text;
        EXPECT_EQ(ini.Read().refDirView, shown) << text;
    }
}

TEST(SettingsModel, StoredPathsResolveAgainstTheProgramFolder) {
    const std::wstring program = L"C:\\Tools\\Orvane\\";
    EXPECT_EQ(ResolvedAgainst(program, L"dl"), L"C:\\Tools\\Orvane\\dl");
    EXPECT_EQ(ResolvedAgainst(program, L"..\\dl"), L"C:\\Tools\\Orvane\\..\\dl");
    EXPECT_EQ(ResolvedAgainst(program, L"\\dl"), L"C:\\dl");
    EXPECT_EQ(ResolvedAgainst(L"\\\\host\\share\\Orvane\\", L"\\dl"), L"\\\\host\\share\\dl");
    for (const wchar_t* absolute : {L"D:\\WinMX", L"d:/WinMX", L"D:", L"\\\\host\\share\\dl", L"\\\\?\\D:\\x"})
        EXPECT_EQ(ResolvedAgainst(program, absolute), absolute);
    EXPECT_EQ(ResolvedAgainst(program, L""), L"");
    EXPECT_EQ(ResolvedAgainst(program, L"  "), L"  ");
}

TEST(SettingsModel, StableProfileValueIsWhatARestartReadsBack) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"abc", L"abc"},       {L"  abc\t", L"abc"}, {L"\"abc\"", L"abc"}, {L"'abc'", L"abc"},
        {L"\" abc \"", L"abc"}, {L"''a''", L"a"},     {L"\"a'", L"\"a'"},   {L"\"", L"\""},
        {L"\"a\"b\"", L"a\"b"}, {L"a\"b", L"a\"b"},   {L"\"\"", L""},       {L"   ", L""},
        {L"a\x1a", L"a"},       {L"a\r\n[X]", L"a"},  {L"\nx", L""},        {L"\x3000語\x3000", L"\x3000語\x3000"},
    };
    for (const auto& [typed, stored] : cases) {
        EXPECT_EQ(StableProfileValue(typed), stored) << typed;
        EXPECT_EQ(StableProfileValue(stored), stored) << typed;
    }
}

}  // namespace
}  // namespace orvane
