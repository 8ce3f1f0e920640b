#include "ui/splash.h"

#include "res/resource.h"
#include "platform/controls.h"
#include "platform/dpi.h"

namespace orvane {

namespace {
constexpr wchar_t kClassName[] = L"Orvane.Splash";
constexpr int kWidthTwips = 6600;
constexpr int kHeightTwips = 3300;
constexpr int kTextLeft = 2580;
constexpr int kTextWidth = 3780;
}  // namespace

frm_Splash::frm_Splash(const ProgramVersion& version) : version_(version) {}

void frm_Splash::Load() {
    Register(kClassName, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const UINT dpi = DpiOf(nullptr);
    const int width = TwipsToPixels(kWidthTwips, dpi);
    const int height = TwipsToPixels(kHeightTwips, dpi);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CreateAs(kClassName, kAppTitle, WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW,
             work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2, width,
             height, nullptr, nullptr);

    const UINT windowDpi = DpiOf(hwnd());
    font_ = CreateUiFont(windowDpi);
    titleFont_ = CreateUiFont(windowDpi, FW_BOLD, 22);
    const auto place = [&](HWND control, int left, int top, int w, int h) {
        MoveWindow(control, TwipsToPixels(left, windowDpi), TwipsToPixels(top, windowDpi), TwipsToPixels(w, windowDpi),
                   TwipsToPixels(h, windowDpi), FALSE);
    };

    logo_.reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    imgLogo_ = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_BITMAP, 0);
    SendMessageW(imgLogo_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.get()));
    place(imgLogo_, 360, 600, 1920, 1920);

    lblProductName_ = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_LEFT, 0);
    place(lblProductName_, kTextLeft, 600, kTextWidth, 720);
    lblVersion_ = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_LEFT, 0);
    place(lblVersion_, kTextLeft, 1380, kTextWidth, 330);
    lblCompanyProduct_ = CreateChild(hwnd(), WC_STATICW, L"ダウンロードフォルダ整理ツール", WS_VISIBLE | SS_LEFT, 0);
    place(lblCompanyProduct_, kTextLeft, 1800, kTextWidth, 330);
    lblStatus_ = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_LEFT, 0);
    place(lblStatus_, kTextLeft, 2580, kTextWidth, 330);

    SetFontOnChildren(hwnd(), font_.get());
    SendMessageW(lblProductName_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);

    // What the window shows once loaded.
    SetWindowTextW(lblVersion_, SplashVersionText(version_).c_str());
    SetWindowTextW(lblProductName_, kAppTitle);
}

LRESULT frm_Splash::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, reinterpret_cast<HWND>(lParam) == lblProductName_ ? RGB(0, 70, 140) : RGB(40, 40, 40));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace orvane
