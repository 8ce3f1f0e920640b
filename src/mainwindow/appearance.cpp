#include "mainwindow/appearance.h"

#include <commctrl.h>

#include "win/controls.h"

namespace orvane {

COLORREF ResolveColor(std::int32_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    return static_cast<COLORREF>(value & 0x00FFFFFFu);
}

void ApplyListAppearance(HWND list, const Settings& settings) {
    ListView_SetTextColor(list, ResolveColor(settings.listTextColor));
    listview::SetExtendedStyle(list, LVS_EX_GRIDLINES, settings.gridLines == 1 ? LVS_EX_GRIDLINES : 0);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace orvane
