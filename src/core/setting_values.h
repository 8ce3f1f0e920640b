// What the settings dialog's controls show for the settings in memory, and
// the settings its "ＯＫ" stores. Platform-free.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "core/settings_model.h"

namespace orvane {

inline constexpr int kNoOption = -1;  // no option of a group selected

// The state of the dialog's controls that carry a setting.
struct SettingControls {
    std::wstring dir;                // txtDir
    bool deleteConfirm = true;       // ChkDelMsg
    std::wstring dirRef;             // txtDirRef
    std::wstring background;         // txtBGFile
    int alignment = kNoOption;       // optBGAlignment: 0 top left, 1 centred, 2 tiled
    bool invisibleEnabled = false;   // chkInVisibleEnabled
    int invisible = 255;             // sclInVisible, 0 to 255
    std::int32_t listTextColor = 0;  // lblLstTextColor, a stored colour number
    bool gridLines = false;          // chkLine
    std::int32_t sizeColor = 0;      // lblSizeTextColor
    int initialDisp = kNoOption;     // optInitialDisp: 0 "する", 1 "しない"
    int sizeDisp = kNoOption;        // optSizeDisp
    int sizeSrc = kNoOption;         // optDispSizeSrc: 0 the source file's size, 1 the dummy file's
    std::int32_t dummyColor = 0;     // lblDmyTextColor

    bool operator==(const SettingControls&) const = default;
};

// What opening the dialog shows. A stored value the controls cannot show
// selects no option, is clamped to the scroll bar, or leaves a box unchecked.
SettingControls ControlsFromSettings(const Settings& settings);

// The settings after "ＯＫ": held, with every value whose control the user
// changed from what opening showed taken from the controls. A value the
// controls could not show stays as it was unless its control was changed.
Settings SettingsFromControls(const Settings& held, const SettingControls& shown, const SettingControls& now);

// The keys "ＯＫ" writes, in the dialog's order.
inline constexpr std::initializer_list<SettingKey> kSettingDialogKeys = {
    SettingKey::FilePath,     SettingKey::DeleteConfirm,    SettingKey::DefaultDir,       SettingKey::Background,
    SettingKey::Alignment,    SettingKey::InvisibleEnabled, SettingKey::Invisible,        SettingKey::ListTextColor,
    SettingKey::GridLines,    SettingKey::SizeColor,        SettingKey::DummyInitialDisp, SettingKey::DummySizeDisp,
    SettingKey::DummySizeSrc, SettingKey::DummyColor,
};

}  // namespace orvane
