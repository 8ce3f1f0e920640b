// The main window's size, place, splitter and column widths as the settings
// file keeps them between runs.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "core/pane_layout.h"
#include "platform/settings_store.h"

namespace orvane {

// The smallest stored window (twips) that still shows the whole find bar,
// the tree and a few rows; anything smaller is a slip, not a choice.
inline constexpr int kSmallestStoredWidth = 8000;
inline constexpr int kSmallestStoredHeight = 3600;

// Gives window the stored size and place, kept on a screen, and panes the
// stored splitter place.
void ApplyStoredPlacement(HWND window, const Settings& settings, PaneLayout& panes);
// The stored column widths in twips as the list shows them, or nothing.
std::optional<std::vector<int>> ColumnWidthsToShow(const Settings& settings);
// The window's left and top edges, for the next start.
void StoreWindowPlace(HWND window, SettingsStore& settings);
// Size, maximised state, splitter and column widths (twips), for the next start.
void StoreWindowState(HWND window, SettingsStore& settings, int splitterLeft, const std::vector<int>& columnTwips);

}  // namespace orvane
