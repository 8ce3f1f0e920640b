// A picture file (BMP, JPEG, PNG, GIF) read once through the platform's
// imaging component into a bitmap with premultiplied alpha, ready to draw.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "platform/handles.h"

namespace orvane {

class Picture {
public:
    Picture(UniqueBitmap bitmap, int width, int height) : bitmap_(std::move(bitmap)), width_(width), height_(height) {}

    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

    // Draws the whole picture with its top-left corner at (left, top),
    // blended over what the device context holds.
    void Draw(HDC dc, int left, int top) const;

private:
    UniqueBitmap bitmap_;
    int width_;
    int height_;
};

// The first frame of a picture file's bytes, shrunk (keeping its shape) to
// fit within largest: a larger copy could never be seen whole, and its bitmap
// would only cost memory. Nothing unless the bytes begin as a BMP, PNG, JPEG
// or GIF file does and the platform can decode them (only that format's
// decoder sees hostile bytes). COM must be initialised on the thread.
std::optional<Picture> LoadPicture(std::string_view bytes, SIZE largest);

}  // namespace orvane
