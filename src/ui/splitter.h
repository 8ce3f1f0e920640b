// The invisible strip between tree and list that takes the mouse, and the
// grey bar that follows it while the user drags.
#pragma once

#include "ui/commands.h"
#include "platform/window.h"

namespace orvane {

inline constexpr wchar_t kSplitterClass[] = L"Orvane.Splitter";
inline constexpr wchar_t kDragBarClass[] = L"Orvane.DragBar";

// What the owner does as the strip is pressed, dragged and let go.
class SplitterDelegate {
public:
    virtual void OnSplitterDown() = 0;
    virtual void OnSplitterMove(int xPixels) = 0;  // in the strip's own coordinates
    virtual void OnSplitterUp() = 0;

protected:
    ~SplitterDelegate() = default;
};

class Splitter final : public Window {
public:
    Splitter(HWND owner, SplitterDelegate& delegate) : owner_(delegate) {
        Register(kSplitterClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), LoadCursorW(nullptr, IDC_SIZEWE));
        RegisterDragBar();
        CreateAs(kSplitterClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0, owner,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdSplitter)));
        dragBar_ = CreateWindowExW(0, kDragBarClass, L"", WS_CHILD, 0, 0, 0, 0, owner,
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
            owner_.OnSplitterMove(static_cast<short>(LOWORD(lParam)));
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

    SplitterDelegate& owner_;
    HWND dragBar_ = nullptr;
};

}  // namespace orvane
