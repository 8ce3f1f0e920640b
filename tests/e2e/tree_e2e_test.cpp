// The real Orvane.exe with registered folders: a click lists a folder, a
// caption renamed in place is written to the data file and read back, and the
// real keyboard opens the tree's menu and removes a registration.
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

// Keys typed by the X server's xdotool into the program's window (a Unix
// program, which Wine starts as it is); waits for it.
bool TypeKeys(const std::wstring& keys) {
    std::wstring commandLine = L"/usr/bin/xdotool search --name ^Orvane$ windowfocus --sync key --delay 200 " + keys;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The texts of a window's children, one after another.
std::wstring ChildTexts(HWND window) {
    std::wstring texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM out) {
            wchar_t text[512] = {};
            GetWindowTextW(child, text, 512);
            *reinterpret_cast<std::wstring*>(out) += text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

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

TEST(TreeE2E, ShiftF10AndTheMenuKeyOpenTheTreesMenuAndDeleteRemovesARegistrationAfterAsking) {
    test::TempFolder program;
    const std::wstring exe = e2e::InstallOrvane(program.path());
    ASSERT_FALSE(exe.empty());
    const std::wstring lines = L"音楽,D:\\mp3\r\n音楽,ライブ,D:\\live\r\n映画,D:\\movie\r\n";
    test::WriteAnsiText(program / L"Orvane.dat", lines);

    e2e::RunningProgram orvane(exe);
    HWND main = orvane.WaitForWindow(L"Orvane.Main");
    ASSERT_NE(main, nullptr);
    HWND tree = e2e::Child(main, kIdTree);
    const HTREEITEM node = TreeView_GetChild(tree, TreeView_GetRoot(tree));
    Click(tree, orvane.TreeItemRect(tree, node));
    ASSERT_TRUE(WaitFor([&] { return TreeView_GetSelection(tree) == node; }));

    // Shift+F10: the menu of the selected node, just below its caption.
    ASSERT_TRUE(TypeKeys(L"shift+F10"));
    HWND popup = orvane.WaitForWindow(L"#32768", 10000);
    ASSERT_NE(popup, nullptr);
    const RECT caption = orvane.TreeItemRect(tree, node);
    POINT below{caption.left, caption.bottom};
    ClientToScreen(tree, &below);
    RECT placed{};
    GetWindowRect(popup, &placed);
    EXPECT_EQ(placed.left, below.x);
    EXPECT_EQ(placed.top, below.y);
    ASSERT_TRUE(TypeKeys(L"Escape"));
    ASSERT_TRUE(orvane.WaitUntilGone(L"#32768"));

    // The menu key, then 削除's letter: the question names the node and the
    // one below it; No keeps them.
    ASSERT_TRUE(TypeKeys(L"Menu"));
    ASSERT_NE(orvane.WaitForWindow(L"#32768", 10000), nullptr);
    ASSERT_TRUE(TypeKeys(L"d"));
    HWND question = orvane.WaitForWindow(L"#32770", 10000);
    ASSERT_NE(question, nullptr);
    const std::wstring asked = ChildTexts(question);
    EXPECT_NE(asked.find(L"「音楽」"), std::wstring::npos);
    EXPECT_NE(asked.find(L"1 個"), std::wstring::npos);
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(orvane.WaitUntilGone(L"#32770"));
    EXPECT_EQ(FromAnsi(test::ReadBytes(program / L"Orvane.dat")), lines);

    // Delete asks the same; Yes removes both lines.
    ASSERT_TRUE(TypeKeys(L"Delete"));
    question = orvane.WaitForWindow(L"#32770", 10000);
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(WaitFor([&] { return FromAnsi(test::ReadBytes(program / L"Orvane.dat")) == L"映画,D:\\movie\r\n"; }));
    EXPECT_TRUE(WaitFor([&] { return TreeView_GetCount(tree) == 2u; }));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
}

}  // namespace
}  // namespace orvane
