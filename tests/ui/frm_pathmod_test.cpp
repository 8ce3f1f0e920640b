#include "ui/frm_pathmod.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "platform/controls.h"
#include "platform/dpi.h"

namespace orvane {
namespace {

// Runs the dialog with a script that acts on it once it shows.
struct PathModRun {
    test::RecordingShell shell;
    std::wstring RefName, RefDir;
    void (*script)(HWND dialog, PathModRun& run) = nullptr;
    std::wstring caption, shownName, shownDir;
    std::vector<int> tabOrder;
    std::vector<int> focused;  // the control with the keyboard after Alt+F, then Alt+N

    void Run() {
        test::WhenDialogShows(
            [](HWND dialog, void* context) {
                auto* run = static_cast<PathModRun*>(context);
                run->caption = WindowText(dialog);
                run->shownName = WindowText(GetDlgItem(dialog, Frm_PathMod::kIdName));
                run->shownDir = WindowText(GetDlgItem(dialog, Frm_PathMod::kIdDir));
                for (HWND at = GetNextDlgTabItem(dialog, nullptr, FALSE); at && run->tabOrder.size() < 8;
                     at = GetNextDlgTabItem(dialog, at, FALSE)) {
                    if (!run->tabOrder.empty() && GetDlgCtrlID(at) == run->tabOrder.front()) break;
                    run->tabOrder.push_back(GetDlgCtrlID(at));
                }
                run->script(dialog, *run);
            },
            this);
        Frm_PathMod dialog(shell, RefName, RefDir);
        dialog.Show(nullptr);
    }
};

void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }
void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

TEST(PathModDialog, OpensWithTheGivenValuesALabelsLetterReachesItsBoxAndOkHandsBackWhatWasTyped) {
    PathModRun run;
    run.RefName = L"Live";
    run.RefDir = L"E:\\live";
    run.script = [](HWND dialog, PathModRun& r) {
        for (const wchar_t letter : {L'f', L'n'}) {  // a label's letter, as the dialog's loop hands it on
            MSG alt{GetFocus(), WM_SYSCHAR, letter, 0x20000000};
            IsDialogMessageW(dialog, &alt);
            r.focused.push_back(GetDlgCtrlID(GetFocus()));
        }
        Type(dialog, Frm_PathMod::kIdName, L" Concerts ");
        Type(dialog, Frm_PathMod::kIdDir, L"F:\\c");
        Click(dialog, IDOK);
    };
    run.Run();
    EXPECT_EQ(run.caption, L"登録フォルダの設定");
    EXPECT_EQ(run.shownName, L"Live");
    EXPECT_EQ(run.shownDir, L"E:\\live");
    EXPECT_EQ(run.tabOrder,
              (std::vector<int>{Frm_PathMod::kIdName, Frm_PathMod::kIdDir, Frm_PathMod::kIdBrowse, IDOK, IDCANCEL}));
    EXPECT_EQ(run.focused, (std::vector<int>{Frm_PathMod::kIdDir, Frm_PathMod::kIdName}));
    EXPECT_EQ(run.RefName, L" Concerts ");  // as typed
    EXPECT_EQ(run.RefDir, L"F:\\c");
}

TEST(PathModDialog, CancelAndEscapeEmptyTheName) {
    for (int way = 0; way < 2; ++way) {
        PathModRun run;
        run.RefName = L"Live";
        run.RefDir = L"E:\\live";
        run.script =
            way == 0 ? [](HWND dialog, PathModRun&) { Click(dialog, IDCANCEL); } : [](HWND dialog, PathModRun&) {
                SendMessageW(GetDlgItem(dialog, Frm_PathMod::kIdName), WM_KEYDOWN, VK_ESCAPE, 0);
                SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // what the dialog keys send
            };
        run.Run();
        EXPECT_EQ(run.RefName, L"") << way;
    }
}

TEST(PathModDialog, BrowsingPutsTheChosenFolderIntoTheFolderBox) {
    PathModRun run;
    run.shell.browseAnswer = L"C:\\選んだ";
    run.script = [](HWND dialog, PathModRun& r) {
        Click(dialog, Frm_PathMod::kIdBrowse);
        r.shell.browseAnswer.reset();  // the second time the user cancels
        Click(dialog, Frm_PathMod::kIdBrowse);
        Type(dialog, Frm_PathMod::kIdName, L"New");
        Click(dialog, IDOK);
    };
    run.Run();
    EXPECT_EQ(run.shownName, L"");  // opened empty
    ASSERT_EQ(run.shell.browseTitles.size(), 2u);
    EXPECT_EQ(run.shell.browseTitles[0], L"～するフォルダを選択し、[OK] を押してください");
    EXPECT_EQ(run.shell.browseFlags, 3u);
    EXPECT_EQ(run.RefDir, L"C:\\選んだ");
    EXPECT_EQ(run.RefName, L"New");
}

}  // namespace
}  // namespace orvane
