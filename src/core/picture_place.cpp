#include "core/picture_place.h"

#include <algorithm>

namespace orvane {

namespace {

bool Meet(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The first tile start at or before from, stepping by size from origin.
int FirstTile(int origin, int from, int size) {
    if (from <= origin) return origin;
    return origin + (from - origin) / size * size;
}

}  // namespace

bool PlacementOfAlignment(int alignment, PicturePlacement& placement) {
    switch (alignment) {
    case 0:
        placement = PicturePlacement::TopLeft;
        return true;
    case 1:
        placement = PicturePlacement::Centred;
        return true;
    case 2:
        placement = PicturePlacement::Tiled;
        return true;
    default:
        return false;
    }
}

std::vector<ScreenRect> PictureCopies(const ScreenRect& area, int pictureWidth, int pictureHeight,
                                      PicturePlacement placement, const ScreenRect& paint) {
    std::vector<ScreenRect> copies;
    if (pictureWidth <= 0 || pictureHeight <= 0) return copies;
    const ScreenRect clip{std::max(area.left, paint.left), std::max(area.top, paint.top),
                          std::min(area.right, paint.right), std::min(area.bottom, paint.bottom)};
    if (clip.left >= clip.right || clip.top >= clip.bottom) return copies;
    switch (placement) {
    case PicturePlacement::TopLeft:
    case PicturePlacement::Centred: {
        int left = area.left;
        int top = area.top;
        if (placement == PicturePlacement::Centred) {
            // Halves rounded down, so that an odd spare pixel goes right and below.
            const auto half = [](int spare) { return spare >= 0 ? spare / 2 : -((-spare + 1) / 2); };
            left += half(area.right - area.left - pictureWidth);
            top += half(area.bottom - area.top - pictureHeight);
        }
        const ScreenRect copy{left, top, left + pictureWidth, top + pictureHeight};
        if (Meet(copy, clip)) copies.push_back(copy);
        break;
    }
    case PicturePlacement::Tiled:
        for (int top = FirstTile(area.top, clip.top, pictureHeight); top < clip.bottom; top += pictureHeight)
            for (int left = FirstTile(area.left, clip.left, pictureWidth); left < clip.right; left += pictureWidth)
                copies.push_back({left, top, left + pictureWidth, top + pictureHeight});
        break;
    }
    return copies;
}

}  // namespace orvane
