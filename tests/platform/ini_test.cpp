#include "platform/ini.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_folder.h"
#include "platform/code_page.h"

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

    ini.PutIni(L"FIND", L"WORD3", L"");
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

TEST_F(IniTest, LongValuesAreReadWhole) {
    // 255 characters fill the first buffer to its last character.
    for (const std::size_t length : {255u, 256u, 300u, 40000u}) {
        test::WriteBytes(ini.IniName, "[PATH]\r\nFILE_PATH=" + std::string(length, 'x') + "\r\n");
        EXPECT_EQ(ini.GetIni(L"PATH", L"FILE_PATH", L"").size(), length);
    }
    const std::wstring japanese(150, L'表');  // 300 bytes in the file
    ini.PutIni(L"PATH", L"FILE_PATH", japanese);
    EXPECT_EQ(ini.GetIni(L"PATH", L"FILE_PATH", L""), japanese);
    EXPECT_EQ(ini.GetIni(L"PATH", L"MISSING", std::wstring(400, L'd')), std::wstring(400, L'd'));
}

// Nested folders of long names, removed again from the deepest up: the
// shell's deletion of the temporary folder does not cope with such paths.
struct NestedFolders {
    explicit NestedFolders(const std::wstring& base) : folders{base} {}
    std::vector<std::wstring> folders;  // the first is the base, not ours
    void Add(const std::wstring& name) {
        folders.push_back(folders.back() + name + L"\\");
        test::MakeFolder(folders.back());
    }
    const std::wstring& Deepest() const { return folders.back(); }
    ~NestedFolders() {
        for (auto it = folders.rbegin(); it + 1 != folders.rend(); ++it) {
            DeleteFileW((*it + L"Qelt.ini").c_str());
            RemoveDirectoryW(it->c_str());
        }
    }
};

// A program folder the code page cannot name, or one of 260 characters and
// more: the file is still read and written, and still in code page 932.
TEST_F(IniTest, ProgramFolderOutsideTheCodePageOrBeyondMaxPath) {
    NestedFolders zoe(folder.path()), deep(folder.path());
    zoe.Add(L"Zoë");
    // Up to where "Qelt.ini" makes the name exactly MAX_PATH long, then one more.
    for (std::size_t room; (room = MAX_PATH - 8 - deep.Deepest().size()) > 0;)
        deep.Add(std::wstring(room > 45 ? 40 : room - 1, L'd'));
    ASSERT_EQ((deep.Deepest() + L"Qelt.ini").size(), std::size_t{MAX_PATH});
    const std::wstring atMaxPath = deep.Deepest();
    deep.Add(std::wstring(60, L'e'));
    for (const std::wstring& place : {zoe.Deepest(), atMaxPath, deep.Deepest()}) {
        ClsIni other;
        other.IniName = place + L"Qelt.ini";
        other.PutIni(L"PATH", L"FILE_PATH", L"D:\\ダウンロード");
        EXPECT_EQ(other.GetIni(L"PATH", L"FILE_PATH", L""), L"D:\\ダウンロード") << place.size();
        EXPECT_EQ(test::ReadBytes(other.IniName),
                  "[PATH]\r\nFILE_PATH=D:\\\x83_\x83"
                  "E\x83\x93\x83\x8d\x81[\x83h\r\n");
    }
}

// Where even the short form is too long, nothing is written anywhere (the
// profile functions would write a file of another name).
TEST_F(IniTest, AFolderTooLongEvenInShortFormIsLeftAlone) {
    NestedFolders deep(folder.path());
    while (deep.Deepest().size() < MAX_PATH) deep.Add(L"dddddddd");  // its own short form
    const test::TempFolder started;
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    SetCurrentDirectoryW(started.path().c_str());
    ClsIni other;
    other.IniName = deep.Deepest() + L"Qelt.ini";
    other.PutIni(L"SORT", L"KEY", L"3");
    EXPECT_EQ(other.GetIni(L"SORT", L"KEY", L"1"), L"1");
    SetCurrentDirectoryW(before);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((started / L"*").c_str(), &found);
    int entries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do ++entries;
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(entries, 2);  // "." and ".."
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
