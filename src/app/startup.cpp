#include "app/startup.h"

#include <windows.h>

#include "build_config.h"

#include "platform/ini.h"
#include "app/real_program_dialogs.h"
#include "ui/splash.h"
#include "platform/program_version.h"
#include "core/text.h"
#include "platform/translucency.h"
#include "ui/frm_main.h"
#include "platform/paths.h"

namespace orvane {

namespace {
std::wstring g_appHelpFile;
}

std::wstring AppHelpFileFor(const std::wstring& programFolder) {
    return FileExists(WithTrailingBackslash(programFolder) + kAppHelpFileName) ? kAppHelpFileName : L"";
}

const std::wstring& AppHelpFile() { return g_appHelpFile; }

int Main(const std::wstring& programFolder, ShellUi& shell) {
    ClsIni ini;
    const std::wstring folder = WithTrailingBackslash(programFolder);
    ini.IniName = folder + kSettingsFileName;
    g_appHelpFile = AppHelpFileFor(folder);

    const ProgramVersion version = ReadProgramVersion();
    auto splash = std::make_unique<frm_Splash>(version);
    splash->Load();
    ShowFadingIn(splash->hwnd());
    ProcessPendingMessages();

    RealProgramDialogs dialogs(shell, folder, version, ORVANE_WEB_ADDRESS);
    SettingsStore settings(ini);
    AppContext app{settings, folder, shell, dialogs};
    Frm_Main main(app);
    main.QuitOnDestroy(true);
    main.Load();
    main.Show(SW_SHOWNORMAL);
    splash.reset();
    SetForegroundWindow(main.hwnd());

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (main.TranslateAccelerators(msg)) continue;
        if (main.hwnd() && !main.EditingLabel() && IsDialogMessageW(main.hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace orvane
