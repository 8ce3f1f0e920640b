#include "mainwindow/appearance.h"

namespace orvane {

COLORREF ResolveColor(std::int32_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    return static_cast<COLORREF>(value & 0x00FFFFFFu);
}

void ApplyListAppearance(ListView& list, const Settings& settings) {
    list.SetTextColor(ResolveColor(settings.listTextColor));
    list.SetGridLines(settings.gridLines == 1);
    list.Repaint(true);
}

}  // namespace orvane
