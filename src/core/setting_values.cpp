#include "core/setting_values.h"

#include <algorithm>

namespace orvane {

namespace {

// "する" for 1, "しない" for 0.
int YesNoOption(std::int16_t value) { return value == 1 ? 0 : value == 0 ? 1 : kNoOption; }

template <typename Value, typename Control, typename Convert>
void TakeIfChanged(Value& value, const Control& shown, const Control& now, Convert convert) {
    if (!(now == shown)) value = convert(now);
}

}  // namespace

SettingControls ControlsFromSettings(const Settings& s) {
    SettingControls c;
    c.dir = s.filePath;
    c.deleteConfirm = s.deleteConfirm;
    c.dirRef = s.defaultDir;
    c.background = s.background;
    c.alignment = s.alignment >= 0 && s.alignment <= 2 ? s.alignment : kNoOption;
    c.invisibleEnabled = s.invisibleEnabled == 1;
    c.invisible = std::clamp<int>(s.invisible, 0, 255);
    c.listTextColor = s.listTextColor;
    c.gridLines = s.gridLines == 1;
    c.sizeColor = s.sizeColor;
    c.initialDisp = YesNoOption(s.dummyInitialDisp);
    c.sizeDisp = YesNoOption(s.dummySizeDisp);
    c.sizeSrc = YesNoOption(s.dummySizeSrc);
    c.dummyColor = s.dummyColor;
    return c;
}

Settings SettingsFromControls(const Settings& held, const SettingControls& shown, const SettingControls& now) {
    Settings s = held;
    const auto same = [](const auto& v) { return v; };
    const auto flag = [](bool on) { return static_cast<std::int16_t>(on ? 1 : 0); };
    const auto index = [](int option) { return static_cast<std::int16_t>(option); };
    const auto firstIsYes = [](int option) { return static_cast<std::int16_t>(option == 0 ? 1 : 0); };
    TakeIfChanged(s.filePath, shown.dir, now.dir, same);
    TakeIfChanged(s.deleteConfirm, shown.deleteConfirm, now.deleteConfirm, same);
    TakeIfChanged(s.defaultDir, shown.dirRef, now.dirRef, same);
    TakeIfChanged(s.background, shown.background, now.background, same);
    if (now.alignment != kNoOption) TakeIfChanged(s.alignment, shown.alignment, now.alignment, index);
    TakeIfChanged(s.invisibleEnabled, shown.invisibleEnabled, now.invisibleEnabled, flag);
    TakeIfChanged(s.invisible, shown.invisible, now.invisible, [](int v) { return static_cast<std::int16_t>(v); });
    TakeIfChanged(s.listTextColor, shown.listTextColor, now.listTextColor, same);
    TakeIfChanged(s.gridLines, shown.gridLines, now.gridLines, flag);
    TakeIfChanged(s.sizeColor, shown.sizeColor, now.sizeColor, same);
    TakeIfChanged(s.dummyInitialDisp, shown.initialDisp, now.initialDisp, firstIsYes);
    TakeIfChanged(s.dummySizeDisp, shown.sizeDisp, now.sizeDisp, firstIsYes);
    TakeIfChanged(s.dummySizeSrc, shown.sizeSrc, now.sizeSrc, firstIsYes);
    TakeIfChanged(s.dummyColor, shown.dummyColor, now.dummyColor, same);
    return s;
}

}  // namespace orvane
