// The list's look from the settings.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/settings_model.h"
#include "win/list_view.h"

namespace orvane {

// A stored colour number: red + 256 green + 65536 blue, or with the top bit
// set a system colour whose index is the low byte.
COLORREF ResolveColor(std::int32_t stored);

// Applies the text colour and the grid lines to the file list.
void ApplyListAppearance(ListView& list, const Settings& settings);

}  // namespace orvane
