// Move and copy: the selected files go into a folder the user picks in the
// shell's folder dialog; the shell does the work with its own windows.
#include <shlobj.h>

#include "ui/file_transfer.h"
#include "ui/frm_main.h"
#include "platform/paths.h"

namespace orvane {

namespace {

constexpr wchar_t kMoveTitle[] = L"移動するフォルダを選択し、[OK] を押してください";
constexpr wchar_t kCopyTitle[] = L"コピーするフォルダを選択し、[OK] を押してください";

}  // namespace

void Frm_Main::MoveOrCopySelected(UINT operation) {
    // The rows' real names, not their labels: a dummy file's label may be shortened.
    const std::vector<std::wstring> sources = FilesToActOn();
    if (sources.empty()) return;  // nothing to ask a folder for

    const std::wstring startFolder = FolderExists(settings().defaultDir) ? settings().defaultDir : std::wstring();
    const std::optional<std::wstring> target =
        app_.shell.BrowseForFolder(hwnd(), operation == FO_COPY ? kCopyTitle : kMoveTitle,
                                   BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN, startFolder);
    if (!target || target->empty()) return;

    // The shell reports its own failures; the list shows what it managed.
    const bool move = operation == FO_MOVE;
    TransferFiles(app_.shell, hwnd(), move ? FileTransfer::Move : FileTransfer::Copy, sources, *target);
    SetFocus(LVList());  // back from the shell's windows
    if (move) DropRowsWhoseFilesLeft();
}

}  // namespace orvane
