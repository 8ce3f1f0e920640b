#include "ui/window_state.h"

#include <algorithm>
#include <string>

#include "core/file_list_model.h"
#include "platform/controls.h"
#include "platform/dpi.h"

namespace orvane {

namespace {

// A column narrower than this shows nothing of its text.
constexpr int kNarrowestStoredColumn = 150;

std::optional<int> StoredSide(const std::wstring& text, int smallest) {
    const std::optional<int> twips = text.empty() ? std::nullopt : ToTwips(text);
    return twips && *twips >= smallest ? twips : std::nullopt;
}

// A list with no column wide enough to see gets the designed widths back;
// one column closed up among others is the user's choice and stays.
std::vector<int> VisibleColumnWidths(std::vector<int> widths) {
    if (std::any_of(widths.begin(), widths.end(), [](int width) { return width >= kNarrowestStoredColumn; }))
        return widths;
    for (std::size_t i = 0; i < widths.size() && i < FileColumns().size(); ++i) widths[i] = FileColumns()[i].widthTwips;
    return widths;
}

std::optional<int> StoredTwips(const std::wstring& text) { return text.empty() ? std::nullopt : ToTwips(text); }

}  // namespace

void ApplyStoredPlacement(HWND window, const Settings& settings, PaneLayout& panes) {
    RECT r{};
    GetWindowRect(window, &r);
    const int dpi = static_cast<int>(SystemDpi());
    const int minWidth = TwipsToPixels(layout::kMinWindowWidth, dpi);
    const int minHeight = TwipsToPixels(layout::kMinWindowHeight, dpi);
    // A side stored too small keeps the size the window was made with.
    const ScreenRect sized = StoredWindowSize(StoredSide(settings.width, kSmallestStoredWidth),
                                              StoredSide(settings.height, kSmallestStoredHeight),
                                              {r.left, r.top, r.right, r.bottom}, dpi, minWidth, minHeight);
    ScreenRect place = StoredWindowPlace(StoredTwips(settings.left), StoredTwips(settings.top), sized, dpi);
    // A place off every screen (a monitor gone, a hand-edited file) comes
    // back onto the nearest monitor, and a size larger than it shrinks to it.
    const RECT wanted{place.left, place.top, place.right, place.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const ScreenRect work{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
        place = KeptOnWorkArea(FittedToWorkArea(place, work, minWidth, minHeight), work);
    }
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (const std::optional<int> splitter = StoredTwips(settings.splitter)) panes.splitter.left = *splitter;
}

std::optional<std::vector<int>> ColumnWidthsToShow(const Settings& settings) {
    std::optional<std::vector<int>> stored = StoredColumnWidths(settings.columnWidths, FileColumns().size());
    if (stored) stored = VisibleColumnWidths(*stored);
    return stored;
}

void StoreWindowPlace(HWND window, SettingsStore& settings) {
    RECT r{};
    GetWindowRect(window, &r);
    const UINT dpi = SystemDpi();
    const int left = PixelsToTwips(r.left, dpi);
    const int top = PixelsToTwips(r.top, dpi);
    // An edge at 0 (or beyond, on a monitor left of the main one) is not stored.
    if (left > 0) settings.Change({SettingKey::Left}, [&](Settings& s) { s.left = std::to_wstring(left); });
    if (top > 0) settings.Change({SettingKey::Top}, [&](Settings& s) { s.top = std::to_wstring(top); });
}

void StoreWindowState(HWND window, SettingsStore& settings, int splitterLeft, const std::vector<int>& columnTwips) {
    // The size the window has when not maximised, so that it comes back
    // maximised and restores to where the user had it.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement)) return;
    const UINT dpi = SystemDpi();
    const RECT& normal = placement.rcNormalPosition;
    // Only what the next start would take is written; a window shrunk below
    // that leaves the size stored before.
    const int width = PixelsToTwips(normal.right - normal.left, dpi);
    const int height = PixelsToTwips(normal.bottom - normal.top, dpi);
    if (width >= kSmallestStoredWidth)
        settings.Change({SettingKey::Width}, [&](Settings& s) { s.width = std::to_wstring(width); });
    if (height >= kSmallestStoredHeight)
        settings.Change({SettingKey::Height}, [&](Settings& s) { s.height = std::to_wstring(height); });
    settings.Change({SettingKey::Maximized, SettingKey::Splitter, SettingKey::ColumnWidths}, [&](Settings& s) {
        s.maximized = IsZoomed(window) ? 1 : 0;
        s.splitter = std::to_wstring(splitterLeft);
        s.columnWidths = ColumnWidthsText(VisibleColumnWidths(columnTwips));
    });
}

}  // namespace orvane
