// Base of every window class: `this` is captured at WM_NCCREATE and
// messages go to the derived class's HandleMessage.
#pragma once

#include <windows.h>

namespace orvane {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

protected:
    // Registers the class once per process.
    static void Register(const wchar_t* className, HBRUSH background, HCURSOR cursor = nullptr, HICON icon = nullptr);
    HWND CreateAs(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int width,
                  int height, HWND parent, HMENU menu);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// Lets pending window messages run (the splash fade and long commands).
void ProcessPendingMessages();

}  // namespace orvane
