// The platform's file-drop format (CF_HDROP) on OLE data objects: reading
// the paths another program hands us, a data object of our own that offers
// them, and the shell's drop-effect formats that go with a move.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/com.h"

namespace orvane {

// The full paths of a file drop, in the data's order; nothing when the data
// offers no file-drop format (an empty drop is an empty list).
std::optional<std::vector<std::wstring>> FileDropPaths(IDataObject* data);

// A data object that offers the file-drop format. paths is asked once, when
// a target or the clipboard first wants the content. Any other format that
// a target sets on it (the shell's performed drop effect, "paste succeeded")
// is kept and handed back on request, as the shell's move protocol expects;
// onSet, when given, hears of each such format after it is kept.
ComPtr<IDataObject> MakeFileDropData(std::function<std::vector<std::wstring>()> paths,
                                     std::function<void(const FORMATETC&)> onSet = {});

// The shell's drop-effect formats (CFSTR_PREFERREDDROPEFFECT,
// CFSTR_PERFORMEDDROPEFFECT, CFSTR_LOGICALPERFORMEDDROPEFFECT,
// CFSTR_PASTESUCCEEDED): a DWORD in global memory.
std::optional<DWORD> ReadDropEffect(IDataObject* data, const wchar_t* format);
bool WriteDropEffect(IDataObject* data, const wchar_t* format, DWORD effect);

}  // namespace orvane
