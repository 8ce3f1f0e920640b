// The platform's drag loop with a drop source of the standard kind: the
// left or right button let go drops, Escape cancels, the cursors are the
// system's own.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace orvane {

// Drags data offering the allowed effects until it is dropped or
// cancelled; the effect the target reported, DROPEFFECT_NONE when nothing
// took the drop (OLE must be initialised on the thread).
DWORD RunDragLoop(IDataObject* data, DWORD allowed);

}  // namespace orvane
