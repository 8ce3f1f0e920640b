// A main window on a private program folder, as the load sequence builds it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/ini.h"
#include "ui/frm_main.h"
#include "support/message_pump.h"
#include "support/program_folder_fixture.h"
#include "support/temp_folder.h"
#include "platform/dpi.h"
#include "platform/code_page.h"

// RECT lives in the global namespace; so must its operators, for lookup.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace orvane::test {

class MainWindowTest : public ProgramFolderTest {
protected:
    std::unique_ptr<AppContext> app;
    RewriteFaults rewriteFaults;  // steps of the data file's rewrite made to fail
    std::unique_ptr<Frm_Main> main;

    Frm_Main& Load() {
        app = std::make_unique<AppContext>(AppContext{settings, folder.path(), shell, dialogs});
        main = std::make_unique<Frm_Main>(*app, &rewriteFaults);
        main->Load();
        Settle();
        return *main;
    }
    Frm_Main& LoadAndShow() {
        Load();
        main->Show(SW_SHOWNOACTIVATE);
        return *main;
    }

    // A command, and the listing it may have started.
    void Command(int id) {
        SendMessageW(main->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        if (main->List().Loading()) Settle();  // no messages run for a command that lists nothing
    }
    // Lets the window's messages run until the list's listing is in.
    void Settle() const {
        EXPECT_TRUE(PumpUntil([this] { return !main->List().Loading(); }));
    }

    UINT Dpi() const { return DpiOf(main->hwnd()); }
    int Px(int twips) const { return TwipsToPixels(twips, Dpi()); }
    RECT Expected(const TwipRect& r) const { return TwipsToPixels(r, Dpi()); }
    RECT Placed(HWND control) const {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, main->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

}  // namespace orvane::test
