// The last rename, move or copy the user made in this program, and its
// undoing: renamed back, moved back, or the copies deleted to the recycle
// bin. Refused when any of the files changed since.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/shell_ui.h"

namespace orvane {

enum class UndoKind { Rename, Move, Copy };

class UndoLog {
public:
    // A rename, move or copy done from -> to (full paths). Only the pairs
    // the file system shows done are kept, with the stamps of the files made:
    // a file made where before (the stamps there before, one a pair, when
    // given) shows the same stamp was not made. When none was done, the
    // operation before stays the one to undo.
    void Record(UndoKind kind, const std::vector<std::pair<std::wstring, std::wstring>>& done,
                const std::vector<std::optional<FileStamp>>& before = {});
    void Clear() { steps_.clear(); }
    bool Empty() const { return steps_.empty(); }
    UndoKind Kind() const { return kind_; }
    // The ファイル menu's entry: what Ctrl+Z would undo.
    std::wstring MenuCaption() const;

    // Undoes the last operation, asking the shell for the moves and the
    // deletes; a copy's files go to the recycle bin, after the shell's
    // question when confirm. The paths the files have now (those moved back or
    // renamed back; none for a copy), or nothing when refused or nothing was
    // done.
    std::optional<std::vector<std::wstring>> Undo(ShellUi& shell, HWND owner, bool confirm);

private:
    struct Step {
        std::wstring from;
        std::wstring to;
        FileStamp stamp;  // of to, as it was made
    };
    // Why the steps cannot be undone, in words; empty when they can.
    std::wstring Refusal() const;

    UndoKind kind_ = UndoKind::Rename;
    std::vector<Step> steps_;
};

}  // namespace orvane
