// The list's look from the settings, and the translucency primitives with
// which windows are faded in or made see-through.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/settings_model.h"

namespace orvane {

// A stored colour number: red + 256 green + 65536 blue, or with the top bit
// set a system colour whose index is the low byte.
COLORREF ResolveColor(std::int32_t stored);

// Applies the text colour and the grid lines to the file list.
void ApplyListAppearance(HWND list, const Settings& settings);

// Whether layered windows exist here; "SetLayeredWindowAttributes" is looked
// up at run time so that the program starts where it is missing.
bool CanUseTranslucency();
void MakeLayered(HWND window);  // replaces the extended style by WS_EX_LAYERED
void SetOpacity(HWND window, BYTE opacity);

// Shows a window by fading it in from 0 to 255 in steps of 5, letting
// pending messages run after each step; opaque at once where not possible.
void ShowFadingIn(HWND window);

}  // namespace orvane
