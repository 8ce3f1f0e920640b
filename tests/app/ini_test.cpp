#include "app/ini.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "win/text.h"

namespace orvane {
namespace {

struct IniTest : testing::Test {
    test::TempFolder folder;
    ClsIni ini;
    IniTest() { ini.IniName = folder / L"Qelt.ini"; }
};

TEST_F(IniTest, MissingFileOrKeyGivesTheDefaultButAnEmptyValueStaysEmpty) {
    EXPECT_EQ(ini.GetIni(L"SORT", L"KEY", L"1"), L"1");
    EXPECT_FALSE(test::Exists(ini.IniName));

    EXPECT_EQ(ini.PutIni(L"FIND", L"WORD3", L""), L"");
    EXPECT_TRUE(test::Exists(ini.IniName));
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD3", L"fallback"), L"");
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD4", L"fallback"), L"fallback");
}

TEST_F(IniTest, ValuesAreStoredInCodePage932AndReadBack) {
    ini.PutIni(L"PATH", L"FILE_PATH", L"D:\\ダウンロード\\表示");
    ini.PutIni(L"SORT", L"KEY", L"6");
    EXPECT_EQ(ini.GetIni(L"PATH", L"FILE_PATH", L""), L"D:\\ダウンロード\\表示");
    EXPECT_EQ(ini.GetIni(L"SORT", L"KEY", L"1"), L"6");

    const std::string bytes = test::ReadBytes(ini.IniName);
    EXPECT_NE(bytes.find("[PATH]"), std::string::npos);
    EXPECT_NE(bytes.find(ToAnsi(L"FILE_PATH=D:\\ダウンロード\\表示")), std::string::npos) << bytes;
}

TEST_F(IniTest, LongValuesAreCutAt254Bytes) {
    const std::string stored(300, 'x');
    test::WriteBytes(ini.IniName, "[PATH]\r\nFILE_PATH=" + stored + "\r\n");
    EXPECT_EQ(ini.GetIni(L"PATH", L"FILE_PATH", L""), std::wstring(254, L'x'));
}

TEST_F(IniTest, ReaderFeedsTheSettingsModel) {
    test::WriteBytes(ini.IniName, "[SYSTEM]\r\nDELMSG=0\r\nREFDIRVIEW=1.0\r\n[SORT]\r\nKEY=3\r\nORDER=1\r\n");
    const Settings s = ReadSettings(ini.Reader());
    EXPECT_FALSE(s.deleteConfirm);
    EXPECT_TRUE(s.refDirView);
    EXPECT_EQ(s.sortKey, 3);
    EXPECT_EQ(s.sortOrder, 1);
}

}  // namespace
}  // namespace orvane
