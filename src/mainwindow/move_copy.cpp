// Move and copy: the selected files go into a folder the user picks in the
// shell's folder dialog; the shell does the work with its own windows.
#include <shlobj.h>

#include "core/text.h"
#include "inventory/scan_folder.h"
#include "mainwindow/frm_main.h"
#include "win/paths.h"

namespace orvane {

namespace {

constexpr wchar_t kMoveTitle[] = L"移動するフォルダを選択し、[OK] を押してください";
constexpr wchar_t kCopyTitle[] = L"コピーするフォルダを選択し、[OK] を押してください";

}  // namespace

void Frm_Main::MoveOrCopySelected(UINT operation) {
    // The rows' real names, not their labels: a dummy file's label may be shortened.
    std::vector<std::wstring> sources;
    std::vector<std::wstring> names;
    for (int row : fileList_.SelectedRows()) {
        sources.push_back(RowPath(row));
        names.push_back(rows_[static_cast<std::size_t>(row)].key);
    }
    if (sources.empty()) return;  // nothing to ask a folder for

    const std::wstring startFolder = FolderExists(settings.defaultDir) ? settings.defaultDir : std::wstring();
    const std::optional<std::wstring> target =
        app_.shell.BrowseForFolder(hwnd(), operation == FO_COPY ? kCopyTitle : kMoveTitle,
                                   BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN, startFolder);
    if (!target || target->empty()) return;

    std::vector<std::wstring> destinations;
    for (const std::wstring& name : names) destinations.push_back(JoinPath(*target, name));
    // The shell reports its own failures; the list shows what it managed.
    app_.shell.FileOperation(hwnd(), operation, ShellFileList(sources), ShellFileList(destinations),
                             FOF_MULTIDESTFILES);
    if (operation == FO_MOVE) DropRowsWhoseFilesLeft();
}

}  // namespace orvane
