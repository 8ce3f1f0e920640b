// The list's look and the main window's translucency from the settings.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/settings_model.h"
#include "platform/list_view.h"
#include "platform/picture.h"

namespace orvane {

// A stored colour number: red + 256 green + 65536 blue, or with the top bit
// set a system colour whose index is the low byte.
COLORREF ResolveColor(std::int32_t stored);

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
