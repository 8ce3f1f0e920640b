// The real Orvane.exe with registered folders: a click lists a folder, and
// a caption renamed in place is written to the data file and read back.
#include <gtest/gtest.h>

#include "e2e/remote_window.h"
#include "ui/commands.h"
#include "support/download_folder.h"
#include "support/temp_folder.h"
#include "platform/paths.h"
#include "platform/code_page.h"

namespace orvane {
namespace {

using e2e::Click;
using e2e::WaitFor;

TEST(TreeE2E, AClickListsARegisteredFolderAndARenameIsStored) {
    test::TempFolder program;
    const std::wstring exe = e2e::InstallOrvane(program.path());
    ASSERT_FALSE(exe.empty());
    const std::wstring music = program / L"音楽";
    test::MakeFolder(music);
    test::MakeFile(music + L"\\a.mp3", 100);
    test::MakeFile(music + L"\\b.mp3", 100);
    test::WriteAnsiText(program / L"Orvane.dat", L"音楽," + music + L"\r\n音楽,ライブ,D:\\live\r\n");

    e2e::RunningProgram orvane(exe);
    HWND main = orvane.WaitForWindow(L"Orvane.Main");
    ASSERT_NE(main, nullptr);
    HWND tree = e2e::Child(main, kIdTree);
    HWND list = e2e::Child(main, kIdList);
    ASSERT_EQ(TreeView_GetCount(tree), 3u);
    const HTREEITEM node = TreeView_GetChild(tree, TreeView_GetRoot(tree));
    EXPECT_EQ(orvane.TreeItemText(tree, node), L"音楽");
    EXPECT_EQ(ListView_GetItemCount(list), 0);  // no download folder set

    Click(tree, orvane.TreeItemRect(tree, node));
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) == 2; }));
    EXPECT_EQ(orvane.StatusText(e2e::Child(main, kIdStatus), 0), music);
    EXPECT_EQ(orvane.StatusText(e2e::Child(main, kIdStatus), 1), L"2 ﾌｧｲﾙ");

    // Rename in place: the edit takes Enter, not the window's dialog keys.
    PostMessageW(tree, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(node));
    HWND edit = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (edit = TreeView_GetEditControl(tree)) != nullptr; }));
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"曲"));
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    const std::wstring expected = L"曲," + music + L"\r\n曲,ライブ,D:\\live\r\n";
    EXPECT_TRUE(WaitFor([&] { return FromAnsi(test::ReadBytes(program / L"Orvane.dat")) == expected; }))
        << "data file: " << FromAnsi(test::ReadBytes(program / L"Orvane.dat")).size();
    EXPECT_EQ(orvane.TreeItemText(tree, node), L"曲");

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);

    e2e::RunningProgram again(exe);  // read back as the user left it
    main = again.WaitForWindow(L"Orvane.Main");
    ASSERT_NE(main, nullptr);
    tree = e2e::Child(main, kIdTree);
    const HTREEITEM renamed = TreeView_GetChild(tree, TreeView_GetRoot(tree));
    EXPECT_EQ(again.TreeItemText(tree, renamed), L"曲");
    EXPECT_EQ(again.TreeItemText(tree, TreeView_GetChild(tree, renamed)), L"ライブ");
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(), 0);
}

TEST(TreeE2E, HostileDataFileAndDeviceNamedFilesNeitherHangNorCrashTheProgram) {
    test::TempFolder program;
    const std::wstring exe = e2e::InstallOrvane(program.path());
    ASSERT_FALSE(exe.empty());
    const std::wstring downloads = program / L"dl";
    const std::wstring devices = program / L"dev";
    test::MakeFolder(downloads);
    test::MakeFolder(devices);
    // Forty bytes each, named like devices: only a file opened as a file can be read.
    test::MakeFile(L"\\\\?\\" + downloads + L"\\nul.txt", 40);
    test::MakeFile(L"\\\\?\\" + devices + L"\\aux.mp3", 40);
    test::MakeFile(L"\\\\?\\" + devices + L"\\com1.mp3", 40);
    test::WriteAnsiText(program / L"Qelt.ini", L"[PATH]\r\nFILE_PATH=" + downloads + L"\r\n");
    std::string deep;
    for (int i = 0; i < 20000; ++i) deep += "x,";
    test::WriteBytes(program / L"Orvane.dat", deep + "D:\\deep\r\n" + ToAnsi(L"Dev," + devices + L"\r\n"));

    e2e::RunningProgram orvane(exe);
    HWND main = orvane.WaitForWindow(L"Orvane.Main", 30000);
    ASSERT_NE(main, nullptr);
    HWND tree = e2e::Child(main, kIdTree);
    HWND list = e2e::Child(main, kIdList);
    EXPECT_EQ(TreeView_GetCount(tree), 2u);  // the root and Dev; the deep line is not shown
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) == 1; }));  // the rows follow the window
    Click(tree, orvane.TreeItemRect(tree, TreeView_GetChild(tree, TreeView_GetRoot(tree))));
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) == 2; }));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
    EXPECT_EQ(test::ReadBytes(program / L"Orvane.dat").substr(0, deep.size()), deep);
}

}  // namespace
}  // namespace orvane
