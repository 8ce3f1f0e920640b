#include "core/setting_values.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(SettingValues, StoredValuesTheControlsCannotShowAreShownAsNothingOrClamped) {
    Settings s;
    s.alignment = 7;
    s.invisible = 300;
    s.gridLines = 2;
    s.invisibleEnabled = 5;
    s.dummyInitialDisp = 3;
    s.dummySizeSrc = 0;
    SettingControls c = ControlsFromSettings(s);
    EXPECT_EQ(c.alignment, kNoOption);
    EXPECT_EQ(c.invisible, 255);
    EXPECT_FALSE(c.gridLines);
    EXPECT_FALSE(c.invisibleEnabled);
    EXPECT_EQ(c.initialDisp, kNoOption);
    EXPECT_EQ(c.sizeSrc, 1);
    s.invisible = -1;
    s.alignment = 2;
    s.gridLines = 1;
    s.invisibleEnabled = 1;
    s.dummyInitialDisp = 1;
    c = ControlsFromSettings(s);
    EXPECT_EQ(c.invisible, 0);
    EXPECT_EQ(c.alignment, 2);
    EXPECT_TRUE(c.gridLines);
    EXPECT_TRUE(c.invisibleEnabled);
    EXPECT_EQ(c.initialDisp, 0);
}

TEST(SettingValues, OkKeepsWhatTheUserDidNotTouchAndTakesWhatHeChanged) {
    Settings held;
    held.alignment = 7;
    held.invisible = 300;
    held.gridLines = 2;
    held.invisibleEnabled = 5;
    held.listTextColor = static_cast<std::int32_t>(0x80000008u);
    const SettingControls shown = ControlsFromSettings(held);
    EXPECT_EQ(SettingsFromControls(held, shown, shown), held);

    SettingControls now = shown;
    now.alignment = 0;
    now.invisible = 254;
    now.gridLines = true;
    now.invisibleEnabled = true;
    now.initialDisp = 1;
    now.sizeSrc = 1;
    now.dir = L"D:\\dl";
    now.deleteConfirm = false;
    now.dummyColor = 255;
    Settings after = SettingsFromControls(held, shown, now);
    EXPECT_EQ(after.alignment, 0);
    EXPECT_EQ(after.invisible, 254);
    EXPECT_EQ(after.gridLines, 1);
    EXPECT_EQ(after.invisibleEnabled, 1);
    EXPECT_EQ(after.dummyInitialDisp, 0);
    EXPECT_EQ(after.dummySizeSrc, 0);
    EXPECT_EQ(after.filePath, L"D:\\dl");
    EXPECT_FALSE(after.deleteConfirm);
    EXPECT_EQ(after.dummyColor, 255);
    EXPECT_EQ(after.listTextColor, held.listTextColor);  // the system colour, untouched

    // Unchecking a box that showed a stored 2 as unchecked is no change: 2 stays.
    now = shown;
    now.gridLines = false;
    now.invisibleEnabled = false;
    after = SettingsFromControls(held, shown, now);
    EXPECT_EQ(after.gridLines, 2);
    EXPECT_EQ(after.invisibleEnabled, 5);
    now.gridLines = true;
    now.invisible = 255;
    EXPECT_EQ(SettingsFromControls(held, shown, now).gridLines, 1);
    EXPECT_EQ(SettingsFromControls(held, shown, now).invisible, 300);
}

}  // namespace
}  // namespace orvane
