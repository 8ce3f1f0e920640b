// See-through windows: the primitives with which windows are faded in or
// made translucent.
#pragma once

#include <windows.h>

namespace orvane {

// The faintest a translucent window is made: about a tenth. A window that
// cannot be seen cannot be clicked either, and the user could not reach the
// settings to undo it.
inline constexpr int kLowestOpacity = 26;

// Whether layered windows exist here; "SetLayeredWindowAttributes" is looked
// up at run time so that the program starts where it is missing.
bool CanUseTranslucency();
void MakeLayered(HWND window);  // replaces the extended style by WS_EX_LAYERED
void SetOpacity(HWND window, BYTE opacity);
// Adds or removes WS_EX_LAYERED and keeps the rest of the extended style; a
// window no longer layered is opaque again.
void SetLayered(HWND window, bool layered);

// Shows a window by fading it in from 0 to 255 in steps of 5, letting
// pending messages run after each step; opaque at once where not possible.
void ShowFadingIn(HWND window);

}  // namespace orvane
