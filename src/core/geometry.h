// Rectangles of the program's windows: in twips as designed, and in pixels
// on the screen. Platform-free.
#pragma once

namespace orvane {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipRect&) const = default;
};

// A window's place on the screen, in pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

}  // namespace orvane
