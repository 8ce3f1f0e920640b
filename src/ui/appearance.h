// The list's look and the main window's translucency from the settings.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/file_list_model.h"
#include "core/settings_model.h"
#include "platform/list_view.h"
#include "platform/picture.h"

namespace orvane {

// A stored colour number: red + 256 green + 65536 blue, or with the top bit
// set a system colour whose index is the low byte.
COLORREF ResolveColor(std::int32_t stored);

// The system's high contrast is on: the program's own colours and its
// background picture yield to the system's colours.
bool HighContrastOn();
// Where the switch is read: the system's, or a test's own where the system
// keeps none (Wine); nullptr for the system's again.
using HighContrastQuery = bool (*)();
void SetHighContrastQuery(HighContrastQuery query);
// The list's colours: the stored ones and findHighlight for names a find
// matched, or the system's under high contrast.
ListColors ListColorsFor(const Settings& settings, COLORREF findHighlight);
// A control drawn by its visual style (the list's header, the status bar)
// draws with the system's colours alone under high contrast: the style's
// own colours would mix with the system's, as black captions on black.
void FollowHighContrast(HWND control);

// The background picture's file as the list would show it, or why it cannot
// be shown: missing, too large a file to read, or unreadable or no picture.
enum class PictureProblem { None, Missing, TooLarge, Unreadable };
struct BackgroundPicture {
    std::optional<Picture> picture;
    PictureProblem problem = PictureProblem::None;
};
inline constexpr long long kLargestPictureFile = 64ll << 20;
BackgroundPicture ReadBackgroundPicture(const std::wstring& path);

// Applies the background picture (a relative BG belongs to the program's
// folder) and its placement, the text colour and the grid lines to the file
// list. A picture that cannot be read shows none.
void ApplyListAppearance(ListView& list, const Settings& settings, const std::wstring& programFolder);

// The window takes the stored opacity while translucency is switched on,
// and is opaque otherwise; nothing happens where layered windows are missing.
// It never goes below kLowestOpacity.
void ApplyTranslucency(HWND window, const Settings& settings);

}  // namespace orvane
