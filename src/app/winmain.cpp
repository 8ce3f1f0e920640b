// Entry of Orvane.exe.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/startup.h"
#include "win/paths.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);
    orvane::RealShellUi shell;
    const int code = orvane::Main(orvane::ExecutableFolder(), shell);
    OleUninitialize();
    return code;
}
