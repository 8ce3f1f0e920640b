// The invisible strip between tree and list that takes the mouse, and the
// grey bar that follows it while the user drags.
#pragma once

#include "mainwindow/frm_main.h"
#include "win/dpi.h"

namespace orvane {

inline constexpr wchar_t kSplitterClass[] = L"Orvane.Splitter";
inline constexpr wchar_t kDragBarClass[] = L"Orvane.DragBar";

class Splitter final : public Window {
public:
    explicit Splitter(Frm_Main& owner) : owner_(owner) {
        Register(kSplitterClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), LoadCursorW(nullptr, IDC_SIZEWE));
        RegisterDragBar();
        CreateAs(kSplitterClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0, owner.hwnd(),
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdSplitter)));
        dragBar_ = CreateWindowExW(0, kDragBarClass, L"", WS_CHILD, 0, 0, 0, 0, owner.hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdDragBar)), GetModuleHandleW(nullptr),
                                   nullptr);
    }

    // The grey bar shown while dragging; a sibling, destroyed with the owner.
    HWND DragBar() const { return dragBar_; }

private:
    // The bar is a plain grey window with no behaviour of its own.
    static void RegisterDragBar() {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.hInstance = GetModuleHandleW(nullptr);
        if (GetClassInfoExW(wc.hInstance, kDragBarClass, &wc)) return;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hCursor = LoadCursorW(nullptr, IDC_SIZEWE);
        wc.hbrBackground = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
        wc.lpszClassName = kDragBarClass;
        RegisterClassExW(&wc);
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetCapture(hwnd());
            owner_.OnSplitterDown();
            return 0;
        case WM_MOUSEMOVE:
            owner_.OnSplitterMove(PixelsToTwips(static_cast<short>(LOWORD(lParam)), owner_.dpi_));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (GetCapture() == hwnd()) ReleaseCapture();
            owner_.OnSplitterUp();
            return 0;
        case WM_CAPTURECHANGED:
            owner_.OnSplitterUp();
            return 0;
        default:
            return Window::HandleMessage(message, wParam, lParam);
        }
    }

    Frm_Main& owner_;
    HWND dragBar_ = nullptr;
};

}  // namespace orvane
