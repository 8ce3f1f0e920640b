#include "platform/dpi.h"

namespace orvane {

namespace {

template <typename Fn>
Fn User32Function(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT DpiOf(HWND window) {
    // Bound at run time: the function is missing before Windows 10.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    const WindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT SystemDpi() {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
    if (getDpiForSystem) {
        if (const UINT dpi = getDpiForSystem()) return dpi;
    }
    return DpiOf(nullptr);
}

int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }
int PixelsToTwips(int pixels, UINT dpi) { return MulDiv(pixels, kTwipsPerInch, static_cast<int>(dpi)); }

RECT TwipsToPixels(const TwipRect& r, UINT dpi) {
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return RECT{left, top, left + TwipsToPixels(r.width, dpi), top + TwipsToPixels(r.height, dpi)};
}

UniqueFont CreateUiFont(UINT dpi, int weight, int pointSizeOr0, bool underline) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    // The metrics are at the system DPI; scale them to this window's.
    const UINT systemDpi = DpiOf(nullptr);
    font.lfHeight = pointSizeOr0 ? -MulDiv(pointSizeOr0, static_cast<int>(dpi), 72)
                                 : MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
    if (font.lfHeight == 0) font.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    return UniqueFont(CreateFontIndirectW(&font));
}

void SetFontOnChildren(HWND parent, HFONT font) {
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM f) -> BOOL {
            SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(f), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font));
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu, UINT dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT r{0, 0, clientWidth, clientHeight};
    if (!(adjustForDpi && adjustForDpi(&r, style, menu, exStyle, dpi))) AdjustWindowRectEx(&r, style, menu, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace orvane
