// Where the list's background picture goes: one copy at the top left or in
// the middle, or tiles from the top left. Platform-free.
#pragma once

#include <vector>

#include "core/geometry.h"

namespace orvane {

enum class PicturePlacement { TopLeft, Centred, Tiled };

// The stored alignment 0, 1 or 2; nothing for any other value (the list
// keeps the placement it had).
bool PlacementOfAlignment(int alignment, PicturePlacement& placement);

// The picture's copies (pixels, right and bottom exclusive) that meet paint,
// the part of area being painted. The copies are anchored to area, not to
// paint: after a scroll only a strip is painted, and its pieces must line up
// with what stayed on the screen. A picture larger than area is centred with
// its middle in the middle (its edges then lie outside area).
std::vector<ScreenRect> PictureCopies(const ScreenRect& area, int pictureWidth, int pictureHeight,
                                      PicturePlacement placement, const ScreenRect& paint);

}  // namespace orvane
