#include "core/download_name.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(FullSizeFromName, ReadsEightHexDigitsBeforeTheLastDotOrTwentyFurtherLeftForMp3) {
    EXPECT_EQ(FullSizeFromName(L"__INCOMPLETE___song0012AB34.dat"), 1223476);
    EXPECT_EQ(FullSizeFromName(L"__INCOMPLETE___曲.名7fffffff.wav"), 2147483647);
    EXPECT_EQ(FullSizeFromName(L"__INCOMPLETE___x00001000.mp4"), 0x1000);
    // The eight characters right before ".mp3" are hexadecimal too, so reading there would differ.
    for (const wchar_t* ext : {L".mp3", L".MP3", L".Mp3"})
        EXPECT_EQ(FullSizeFromName(std::wstring(L"__INCOMPLETE___x00001000ABCDEF0123456789abcd") + ext), 0x1000);
}

TEST(FullSizeFromName, IsUnknownForOtherNamesAndSizesOf2GBOrMore) {
    for (const wchar_t* name :
         {L"__INCOMPLETE___x.mp3", L"__INCOMPLETE___x00001000.mp3", L"__incomplete___s0012AB34.dat",
          L"__INCOMPLETE___s0012AG34.dat", L"__INCOMPLETE___s0012AB34dat", L"__INCOMPLETE___x80000000.bin",
          L"__INCOMPLETE___xFFFFFFFF.bin"})
        EXPECT_EQ(FullSizeFromName(name), -1) << name;
}

}  // namespace
}  // namespace orvane
