#include "mainwindow/appearance.h"

#include <algorithm>

#include "core/text.h"
#include "win/picture.h"
#include "win/translucency.h"

namespace orvane {

COLORREF ResolveColor(std::int32_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    return static_cast<COLORREF>(value & 0x00FFFFFFu);
}

void ApplyListAppearance(ListView& list, const Settings& settings, const std::wstring& programFolder) {
    const std::wstring path =
        Trimmed(settings.background).empty() ? std::wstring() : ResolvedAgainst(programFolder, settings.background);
    list.SetBackground(LoadPicture(path));
    if (PicturePlacement placement; PlacementOfAlignment(settings.alignment, placement))
        list.SetBackgroundPlacement(placement);
    list.SetTextColor(ResolveColor(settings.listTextColor));
    list.SetGridLines(settings.gridLines == 1);
    list.Repaint(true);
}

void ApplyTranslucency(HWND window, const Settings& settings) {
    if (!CanUseTranslucency()) return;
    const bool on = settings.invisibleEnabled == 1;
    SetLayered(window, on);
    if (on) SetOpacity(window, static_cast<BYTE>(std::clamp<int>(settings.invisible, kLowestWindowOpacity, 255)));
}

}  // namespace orvane
