#include "core/picture_place.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Copies = std::vector<ScreenRect>;
const ScreenRect kArea{0, 20, 101, 81};  // 101 x 61 below a 20-pixel header
const ScreenRect kAll{-1000, -1000, 1000, 1000};

TEST(PicturePlace, AlignmentNumbersAndOthersKeepThePlacement) {
    PicturePlacement placement = PicturePlacement::Tiled;
    EXPECT_TRUE(PlacementOfAlignment(1, placement));
    EXPECT_EQ(placement, PicturePlacement::Centred);
    EXPECT_TRUE(PlacementOfAlignment(0, placement));
    EXPECT_EQ(placement, PicturePlacement::TopLeft);
    for (int other : {-1, 3, 7}) {
        EXPECT_FALSE(PlacementOfAlignment(other, placement)) << other;
        EXPECT_EQ(placement, PicturePlacement::TopLeft) << other;
    }
}

TEST(PicturePlace, TopLeftAndCentredWithOddSizesAndALargerPicture) {
    EXPECT_EQ(PictureCopies(kArea, 10, 7, PicturePlacement::TopLeft, kAll), (Copies{{0, 20, 10, 27}}));
    // 91 and 54 spare pixels: 45 and 27 before the picture.
    EXPECT_EQ(PictureCopies(kArea, 10, 7, PicturePlacement::Centred, kAll), (Copies{{45, 47, 55, 54}}));
    // 200 x 100 over 101 x 61: 99 and 39 pixels stick out, 50 and 20 of them left and above.
    EXPECT_EQ(PictureCopies(kArea, 200, 100, PicturePlacement::Centred, kAll), (Copies{{-50, 0, 150, 100}}));
    // A strip that the copy does not reach gets nothing.
    EXPECT_EQ(PictureCopies(kArea, 10, 7, PicturePlacement::TopLeft, {0, 27, 101, 81}), Copies{});
    EXPECT_EQ(PictureCopies(kArea, 0, 7, PicturePlacement::TopLeft, kAll), Copies{});
}

TEST(PicturePlace, TilesCoverTheAreaAndLineUpWithTheAreaInAScrolledStrip) {
    const Copies all = PictureCopies(kArea, 50, 30, PicturePlacement::Tiled, kAll);
    ASSERT_EQ(all.size(), 9u);  // 3 across (0, 50, 100) and 3 down (20, 50, 80)
    EXPECT_EQ(all.front(), (ScreenRect{0, 20, 50, 50}));
    EXPECT_EQ(all.back(), (ScreenRect{100, 80, 150, 110}));
    // The strip a scroll by one row leaves: rows 66 to 80 only, still on the area's grid.
    EXPECT_EQ(PictureCopies(kArea, 50, 30, PicturePlacement::Tiled, {0, 66, 101, 81}), (Copies{{0, 50, 50, 80},
                                                                                               {50, 50, 100, 80},
                                                                                               {100, 50, 150, 80},
                                                                                               {0, 80, 50, 110},
                                                                                               {50, 80, 100, 110},
                                                                                               {100, 80, 150, 110}}));
    // A strip starting inside a tile across starts with that tile.
    EXPECT_EQ(PictureCopies(kArea, 50, 30, PicturePlacement::Tiled, {60, 20, 70, 40}), (Copies{{50, 20, 100, 50}}));
    // A strip starting exactly on a tile's edge starts with that tile.
    EXPECT_EQ(PictureCopies(kArea, 50, 30, PicturePlacement::Tiled, {50, 50, 51, 51}), (Copies{{50, 50, 100, 80}}));
}

}  // namespace
}  // namespace orvane
