// Twips, pixels and the user-interface font at a window's real DPI.
#pragma once

#include <windows.h>

#include "core/geometry.h"
#include "platform/handles.h"

namespace orvane {

inline constexpr int kTwipsPerInch = 1440;

UINT DpiOf(HWND window);  // the window's own DPI where the system knows it
// The system's DPI, the same on every monitor: the stored window place is
// converted with it, so that it means one place whatever monitor it was on.
UINT SystemDpi();
int TwipsToPixels(int twips, UINT dpi);
int PixelsToTwips(int pixels, UINT dpi);
RECT TwipsToPixels(const TwipRect& rect, UINT dpi);

// The system's message font at the given DPI (the font of dialogs).
UniqueFont CreateUiFont(UINT dpi, int weight = FW_NORMAL, int pointSizeOr0 = 0, bool underline = false);

// Sets a font on a window and every child it has.
void SetFontOnChildren(HWND parent, HFONT font);

// Outer size of a window whose client area has the given size.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu, UINT dpi);

}  // namespace orvane
