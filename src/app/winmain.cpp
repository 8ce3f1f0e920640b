// Entry of Orvane.exe.
#include <windows.h>
#include <commctrl.h>

#include "app/startup.h"
#include "platform/com.h"
#include "platform/paths.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const orvane::OleSession ole;
    orvane::RealShellUi shell;
    return orvane::Main(orvane::ExecutableFolder(), shell);
}
