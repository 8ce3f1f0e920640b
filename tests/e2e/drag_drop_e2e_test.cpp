// The real Orvane.exe with the real mouse under Xvfb: rows dragged from the
// list onto a registered folder's node move there and leave the list.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>
#include <shellapi.h>

#include "e2e/remote_window.h"
#include "ui/commands.h"
#include "support/download_folder.h"
#include "support/temp_folder.h"

namespace orvane {
namespace {

using e2e::WaitFor;

POINT OnScreen(HWND window, const RECT& r) {
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(window, &at);
    return at;
}

// Runs the X server's xdotool (a Unix program, which Wine starts as it is)
// and waits for it.
bool Xdotool(const std::wstring& arguments) {
    std::wstring commandLine = L"/usr/bin/xdotool " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Press at from, moves of at most 100 pixels with short pauses, release at to.
std::wstring DragArguments(POINT from, POINT to) {
    std::wstring args =
        L"mousemove " + std::to_wstring(from.x) + L" " + std::to_wstring(from.y) + L" sleep 0.5 mousedown 1 sleep 0.3";
    const int steps = 1 + (std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)) + 2) / 40;
    for (int i = 1; i <= steps; ++i) {
        const long x = from.x + (to.x - from.x) * i / steps;
        const long y = from.y + (to.y - from.y) * i / steps;
        args += L" mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" sleep 0.1";
    }
    return args + L" sleep 0.3 mouseup 1";
}

TEST(DragDropE2E, RowsDraggedOntoATreeNodeMoveThereAndLeaveTheList) {
    test::TempFolder program;
    const std::wstring exe = e2e::InstallOrvane(program.path());
    ASSERT_FALSE(exe.empty());
    const std::wstring downloads = program / L"downloads";
    const std::wstring music = program / L"音楽";
    test::MakeFolder(downloads);
    test::MakeFolder(music);
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3"}) test::MakeFile(downloads + L"\\" + name, 10);
    test::WriteAnsiText(program / L"Qelt.ini",
                        L"[PATH]\r\nFILE_PATH=" + downloads + L"\r\n[SORT]\r\nKEY=1\r\nORDER=0\r\n");
    test::WriteAnsiText(program / L"Orvane.dat", L"音楽," + music + L"\r\n");

    e2e::RunningProgram orvane(exe);
    HWND main = orvane.WaitForWindow(L"Orvane.Main");
    ASSERT_NE(main, nullptr);
    HWND list = e2e::Child(main, kIdList);
    HWND tree = e2e::Child(main, kIdTree);
    ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) == 3; }));
    const HTREEITEM node = TreeView_GetChild(tree, TreeView_GetRoot(tree));
    ASSERT_NE(node, nullptr);

    // Select a.mp3 and b.mp3 as the user would: a click, then Shift and a click.
    const POINT first = OnScreen(list, orvane.ItemRect(list, 0));
    const POINT second = OnScreen(list, orvane.ItemRect(list, 1));
    ASSERT_TRUE(Xdotool(L"mousemove " + std::to_wstring(first.x) + L" " + std::to_wstring(first.y) +
                        L" sleep 0.3 click 1 sleep 0.3 mousemove " + std::to_wstring(second.x) + L" " +
                        std::to_wstring(second.y) + L" sleep 0.3 keydown shift click 1 keyup shift sleep 0.3"));
    ASSERT_TRUE(WaitFor([&] { return ListView_GetSelectedCount(list) == 2; }));

    ASSERT_TRUE(Xdotool(DragArguments(second, OnScreen(tree, orvane.TreeItemRect(tree, node)))));
    EXPECT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) == 1; }));
    EXPECT_EQ(orvane.ItemText(list, 0, 0), L"c.mp3");
    EXPECT_TRUE(test::Exists(music + L"\\a.mp3"));
    EXPECT_TRUE(test::Exists(music + L"\\b.mp3"));
    EXPECT_FALSE(test::Exists(downloads + L"\\a.mp3"));
    EXPECT_EQ(orvane.StatusText(e2e::Child(main, kIdStatus), 1), L"1 ﾌｧｲﾙ");

    // Right after the drag, a click on a row and Ctrl+C put that file on the
    // clipboard. (Wine's drag loop leaves the X server's keyboard focus on no
    // window, and with no window manager a click does not give it back: the
    // test hands it back as a window manager would.)
    const POINT left = OnScreen(list, orvane.ItemRect(list, 0));
    ASSERT_TRUE(
        Xdotool(L"mousemove " + std::to_wstring(left.x) + L" " + std::to_wstring(left.y) +
                L" sleep 0.3 click 1 sleep 0.3 search --name ^Orvane$ windowfocus --sync key ctrl+c sleep 0.5"));
    EXPECT_TRUE(WaitFor([&] {
        if (!OpenClipboard(nullptr)) return false;
        std::wstring first;
        if (const HANDLE drop = GetClipboardData(CF_HDROP)) {
            wchar_t path[MAX_PATH] = {};
            DragQueryFileW(static_cast<HDROP>(drop), 0, path, MAX_PATH);
            first = path;
        }
        CloseClipboard();
        return first == downloads + L"\\c.mp3";
    }));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(orvane.WaitForExit(), 0);
}

}  // namespace
}  // namespace orvane
