#include "app/real_program_dialogs.h"

#include <gtest/gtest.h>

#include "ui/frm_pathmod.h"
#include "ui/frm_ver.h"
#include "support/temp_folder.h"
#include "platform/controls.h"

namespace orvane {
namespace {

struct Seen {
    std::wstring version, name;
    bool ownerDisabled = false;
};

TEST(ProgramDialogs, ShowTheRealDialogsModallyOverTheOwner) {
    test::RecordingShell shell;
    RealProgramDialogs dialogs(shell, L"C:\\Tools\\", ProgramVersion{1, 2, 3}, L"https://orvane.example.org/");
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);

    Seen seen;
    test::WhenDialogShows(
        [](HWND dialog, void* context) {
            auto* s = static_cast<Seen*>(context);
            s->version = WindowText(GetDlgItem(dialog, Frm_Ver::kIdVersion));
            s->ownerDisabled = !IsWindowEnabled(GetWindow(dialog, GW_OWNER));
            SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        },
        &seen);
    dialogs.ShowVersion(owner);  // returns once the dialog is closed
    EXPECT_EQ(seen.version, L"Orvane Ver.1.23");
    EXPECT_TRUE(seen.ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));

    // The registered-folder dialog browses through the shell it was given.
    shell.browseAnswer = L"F:\\chosen";
    test::WhenDialogShows(
        [](HWND dialog, void* context) {
            static_cast<Seen*>(context)->name = WindowText(GetDlgItem(dialog, Frm_PathMod::kIdName));
            SendMessageW(GetDlgItem(dialog, Frm_PathMod::kIdBrowse), BM_CLICK, 0, 0);
            SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        },
        &seen);
    std::wstring name = L"Live", dir = L"E:\\live";
    dialogs.EditRegisteredFolder(owner, name, dir);
    EXPECT_EQ(seen.name, L"Live");
    EXPECT_EQ(shell.browseTitles.size(), 1u);
    EXPECT_EQ(dir, L"F:\\chosen");
    DestroyWindow(owner);
}

}  // namespace
}  // namespace orvane
