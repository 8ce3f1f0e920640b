// Moves and copies of files into a folder through the shell. No file is
// replaced without the user's yes, whatever the shell does (some shells
// replace on a move without asking), and no file is handed to the shell by a
// path that names another file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/shell_ui.h"
#include "core/drop_rules.h"
#include "ui/undo_log.h"

namespace orvane {

// Refuses, with a message naming them, files whose plain path names
// another file or a device (a name ending in "." or a blank, "con.txt"):
// the shell would act on that other file. True when any was refused.
bool RefuseUnreachableNames(ShellUi& shell, HWND owner, const std::vector<std::wstring>& paths);

// Moves or copies the files into folder. Refused with a message when a
// file lies in that folder already or a name is unreachable; where files
// of the same names are there, the user is asked once whether they are
// replaced (no: the others go; cancel: none). Folders of those names and a
// second file of one name never go. Nothing when nothing was handed to the
// shell; otherwise whether the shell did all it was handed. What was done
// goes to undo, when given, as the operation to undo next.
std::optional<bool> TransferFiles(ShellUi& shell, HWND owner, FileTransfer kind,
                                  const std::vector<std::wstring>& sources, const std::wstring& folder,
                                  UndoLog* undo = nullptr);

}  // namespace orvane
