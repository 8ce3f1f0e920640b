#include "platform/translucency.h"

#include "platform/window.h"

namespace orvane {

namespace {

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Bound once for the whole run: a fade sets the opacity 52 times, and each
// lookup by loading user32 again would add a reference that is never released.
SetLayeredWindowAttributesFn LayeredFunction() {
    static const SetLayeredWindowAttributesFn bound = [] {
        HMODULE user32 = LoadLibraryA("user32.dll");
        if (!user32) return SetLayeredWindowAttributesFn{};
        const auto fn = reinterpret_cast<SetLayeredWindowAttributesFn>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
        // Where present, the library stays loaded for the function's sake.
        if (!fn) FreeLibrary(user32);
        return fn;
    }();
    return bound;
}

}  // namespace

bool CanUseTranslucency() { return LayeredFunction() != nullptr; }

void MakeLayered(HWND window) { SetWindowLongPtrA(window, GWL_EXSTYLE, WS_EX_LAYERED); }

void SetLayered(HWND window, bool layered) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    const LONG_PTR wanted = layered ? (style | WS_EX_LAYERED) : (style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    if (wanted != style) SetWindowLongPtrW(window, GWL_EXSTYLE, wanted);
}

void SetOpacity(HWND window, BYTE opacity) {
    if (const auto fn = LayeredFunction()) fn(window, 0, opacity, LWA_ALPHA);
}

void ShowFadingIn(HWND window) {
    if (!CanUseTranslucency()) {
        ShowWindow(window, SW_SHOWNORMAL);
        return;
    }
    MakeLayered(window);
    SetOpacity(window, 0);
    ProcessPendingMessages();
    ShowWindow(window, SW_SHOWNORMAL);
    for (int alpha = 0; alpha <= 255; alpha += 5) {
        SetOpacity(window, static_cast<BYTE>(alpha));
        ProcessPendingMessages();
    }
}

}  // namespace orvane
