// Paths of files in a folder: joined for the user's eyes, verbatim for opening.
#include "platform/paths.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace orvane {
namespace {

TEST(JoinPath, PutsOneBackslashBetweenFolderAndName) {
    EXPECT_EQ(JoinPath(L"C:\\", L"a.txt"), L"C:\\a.txt");
    EXPECT_EQ(JoinPath(L"C:\\x", L"a.txt"), L"C:\\x\\a.txt");
}

TEST(VerbatimPath, IsFullAndKeepsSharesAndNamesAsTheyAre) {
    EXPECT_EQ(VerbatimPath(L"C:\\dl", L"aux.mp3"), L"\\\\?\\C:\\dl\\aux.mp3");
    EXPECT_EQ(VerbatimPath(L"C:\\dl\\", L"x. "), L"\\\\?\\C:\\dl\\x. ");
    EXPECT_EQ(VerbatimPath(L"C:\\dl\\con", L"a"), L"\\\\?\\C:\\dl\\con\\a");
    EXPECT_EQ(VerbatimPath(L"C:/dl/sub/..", L"a"), L"\\\\?\\C:\\dl\\a");
    EXPECT_EQ(VerbatimPath(L"\\\\server\\share\\dl", L"nul"), L"\\\\?\\UNC\\server\\share\\dl\\nul");
    EXPECT_EQ(VerbatimPath(L"\\\\?\\C:\\dl", L"a"), L"\\\\?\\C:\\dl\\a");

    // A relative folder is taken from the current folder, as a plain open would.
    test::TempFolder folder;
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(folder.path().c_str());
    const std::wstring relative = VerbatimPath(L"sub", L"aux");
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(relative, L"\\\\?\\" + folder.path() + L"sub\\aux");
}

}  // namespace
}  // namespace orvane
