// The real shell calls on real files and the real folder dialog.
#include "platform/shell_ui.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>
#include <dlgs.h>
#include <colordlg.h>

#include "core/text.h"
#include "support/download_folder.h"
#include "support/temp_folder.h"
#include "platform/controls.h"

namespace orvane {
namespace {

TEST(RealShellUi, FileOperationMovesEachFileToItsOwnDestinationAndFailsOnAMissingSource) {
    test::TempFolder folder;
    test::MakeFolder(folder / L"x");
    test::MakeFolder(folder / L"y");
    for (const wchar_t* name : {L"1.txt", L"2.txt", L"한국.txt"}) test::MakeFile(folder / name, 4);
    RealShellUi shell;
    const UINT quiet = FOF_MULTIDESTFILES | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    EXPECT_TRUE(shell.FileOperation(
        nullptr, FO_MOVE, ShellFileList({folder / L"1.txt", folder / L"2.txt", folder / L"한국.txt"}),
        ShellFileList({folder / L"x\\1.txt", folder / L"y\\two.txt", folder / L"y\\한국.txt"}), quiet));
    EXPECT_TRUE(test::Exists(folder / L"x\\1.txt"));
    EXPECT_TRUE(test::Exists(folder / L"y\\two.txt"));
    EXPECT_TRUE(test::Exists(folder / L"y\\한국.txt"));
    EXPECT_FALSE(test::Exists(folder / L"한국.txt"));

    // A source that is not there: the shell may call that a success, the files are not moved.
    EXPECT_FALSE(shell.FileOperation(nullptr, FO_MOVE, ShellFileList({folder / L"gone.txt"}),
                                     ShellFileList({folder / L"x\\gone.txt"}), quiet));
}

struct Seen {
    std::wstring selected;
};

TEST(RealShellUi, BrowseForFolderOpensWithTheStartFolderSelected) {
    test::TempFolder folder;
    const std::wstring start = folder / L"start here";
    test::MakeFolder(start);
    test::MakeFolder(folder / L"other");
    RealShellUi shell;
    Seen seen;
    test::WhenDialogShows(
        [](HWND dialog, void* context) {
            HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
            wchar_t text[MAX_PATH] = {};
            TVITEMW item{TVIF_TEXT, TreeView_GetSelection(tree)};
            item.pszText = text;
            item.cchTextMax = MAX_PATH;
            TreeView_GetItem(tree, &item);
            static_cast<Seen*>(context)->selected = text;
            SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        },
        &seen);
    const std::optional<std::wstring> chosen =
        shell.BrowseForFolder(nullptr, L"title", BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN, start);
    EXPECT_EQ(seen.selected, L"start here");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(_wcsicmp(chosen->c_str(), start.c_str()), 0) << *chosen;
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

struct DialogSeen {
    std::wstring title;
    std::wstring red;
    std::wstring answer;  // typed as the file name; empty: cancel
};

TEST(RealShellUi, OpenFileDialogIsTitledAndGivesTheChosenFileOrNothing) {
    test::TempFolder folder;
    const std::wstring file = folder / L"絵.png";
    test::WriteBytes(file, "x");
    RealShellUi shell;
    for (const std::wstring& answer : {file, std::wstring()}) {
        DialogSeen seen{L"", L"", answer};
        test::WhenDialogShows(
            [](HWND dialog, void* context) {
                auto* s = static_cast<DialogSeen*>(context);
                s->title = WindowText(dialog);
                if (s->answer.empty()) {
                    SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
                    return;
                }
                SetDlgItemTextW(dialog, cmb13, s->answer.c_str());
                SetDlgItemTextW(dialog, edt1, s->answer.c_str());
                SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            },
            &seen);
        const std::optional<std::wstring> chosen = shell.ChooseFileToOpen(nullptr, L"ﾌｧｲﾙを開く");
        EXPECT_EQ(seen.title, L"ﾌｧｲﾙを開く");
        if (answer.empty())
            EXPECT_FALSE(chosen);
        else
            EXPECT_EQ(chosen.value_or(L""), file);
    }
}

TEST(RealShellUi, ColourDialogOpensOnThePresentColourAndKeepsCustomColoursForTheRun) {
    RealShellUi shell;
    DialogSeen seen{};
    test::WhenDialogShows(
        [](HWND dialog, void* context) {
            static_cast<DialogSeen*>(context)->red = WindowText(GetDlgItem(dialog, COLOR_RED));
            SendMessageW(dialog, WM_COMMAND, COLOR_ADD, 0);  // "Add to custom colours"
            SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        },
        &seen);
    EXPECT_EQ(shell.PickColor(nullptr, RGB(12, 34, 56)), std::optional<COLORREF>(RGB(12, 34, 56)));
    EXPECT_EQ(seen.red, L"12");
    test::WhenDialogShows([](HWND dialog, void*) { SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); },
                          nullptr);
    EXPECT_FALSE(shell.PickColor(nullptr, RGB(1, 2, 3)));
    EXPECT_EQ(shell.CustomColors()[0], RGB(12, 34, 56));
    EXPECT_EQ(shell.CustomColors()[1], RGB(255, 255, 255));
}

}  // namespace
}  // namespace orvane
