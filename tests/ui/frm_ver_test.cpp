#include "ui/frm_ver.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "platform/controls.h"
#include "platform/dpi.h"

namespace orvane {
namespace {

struct Seen {
    test::RecordingShell* shell = nullptr;
    std::wstring caption, version, address, notice, button;
    RECT client{};
    UINT dpi = 96;
    bool openAfterLinkClick = false;
    std::size_t opensAfterClick = 0;
};

TEST(VersionDialog, ShowsVersionAndOpensTheWebAddressWithoutClosing) {
    test::RecordingShell shell;
    Seen seen;
    seen.shell = &shell;
    test::WhenDialogShows(
        [](HWND dialog, void* context) {
            auto* s = static_cast<Seen*>(context);
            s->caption = WindowText(dialog);
            s->version = WindowText(GetDlgItem(dialog, Frm_Ver::kIdVersion));
            s->notice = WindowText(GetDlgItem(dialog, Frm_Ver::kIdNotice));
            s->button = WindowText(GetDlgItem(dialog, IDOK));
            HWND link = GetDlgItem(dialog, Frm_Ver::kIdWebAddress);
            s->address = WindowText(link);
            GetClientRect(dialog, &s->client);
            s->dpi = DpiOf(dialog);
            // A click on the address: the static notifies its parent.
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(Frm_Ver::kIdWebAddress, STN_CLICKED),
                         reinterpret_cast<LPARAM>(link));
            s->opensAfterClick = s->shell->opened.size();
            s->openAfterLinkClick = IsWindow(dialog) && IsWindowVisible(dialog);
            SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        },
        &seen);

    Frm_Ver dialog(shell, L"C:\\Tools\\", ProgramVersion{1, 2, 3}, L"https://orvane.example.org/");
    dialog.Show(nullptr);

    EXPECT_EQ(seen.caption, L"バージョン");
    EXPECT_EQ(seen.version, L"Orvane Ver.1.23");
    EXPECT_FALSE(seen.notice.empty());
    EXPECT_EQ(seen.button, L"OK");
    EXPECT_EQ(seen.address, L"https://orvane.example.org/");
    EXPECT_EQ(seen.client.right, TwipsToPixels(3960, seen.dpi));
    EXPECT_EQ(seen.client.bottom, TwipsToPixels(1815, seen.dpi));
    EXPECT_TRUE(seen.openAfterLinkClick);
    ASSERT_EQ(seen.opensAfterClick, 1u);
    EXPECT_EQ(shell.opened[0].file, L"https://orvane.example.org/");
    EXPECT_EQ(shell.opened[0].directory, L"C:\\Tools\\");
    EXPECT_FALSE(IsWindow(dialog.hwnd()));  // OK closed it
}

TEST(VersionDialog, EscapeClosesIt) {
    test::RecordingShell shell;
    test::WhenDialogShows([](HWND dialog, void*) { SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }, nullptr);
    Frm_Ver dialog(shell, L"C:\\", ProgramVersion{0, 4, 0}, L"https://orvane.example.org/");
    dialog.Show(nullptr);
    EXPECT_TRUE(shell.opened.empty());
}

}  // namespace
}  // namespace orvane
