// Cut, copy and paste of files through the clipboard, in the shell's
// file-drop format with the preferred drop effect, as the shell itself
// offers and takes them.
#include <shlobj.h>

#include "core/text.h"
#include "ui/file_transfer.h"
#include "core/drop_rules.h"
#include "ui/frm_main.h"
#include "platform/locale_text.h"
#include "platform/file_drop.h"
#include "platform/paths.h"

namespace orvane {

void Frm_Main::CutOrCopySelected(bool cut) {
    std::vector<std::wstring> paths = FilesToActOn();
    if (paths.empty()) return;
    // Another program that pastes a cut says so on the data once the files
    // moved: the rows whose files left then go, as after a move of our own.
    const HWND window = hwnd();
    const auto onSet = [window, cut](const FORMATETC& format) {
        if (cut && format.cfFormat == RegisterClipboardFormatW(CFSTR_PASTESUCCEEDED))
            PostMessageW(window, kCutPastedMessage, 0, 0);
    };
    ComPtr<IDataObject> data = MakeFileDropData([paths = std::move(paths)] { return paths; }, onSet);
    WriteDropEffect(data.get(), CFSTR_PREFERREDDROPEFFECT, cut ? DROPEFFECT_MOVE : DROPEFFECT_COPY);
    if (SUCCEEDED(OleSetClipboard(data.get()))) clipboardData_ = std::move(data);
}

void Frm_Main::PasteFiles() { PasteFilesInto(listedFolder_); }

void Frm_Main::PasteFilesInto(const std::wstring& folder) {
    if (folder.empty() || !FolderExists(folder)) return;
    ComPtr<IDataObject> data;
    if (FAILED(OleGetClipboard(data.put())) || !data) return;
    const std::optional<std::vector<std::wstring>> paths = FileDropPaths(data.get());
    if (!paths || paths->empty()) return;
    const FileTransfer kind = TransferForPaste(ReadDropEffect(data.get(), CFSTR_PREFERREDDROPEFFECT));
    // A file pasted into the folder it lies in would land on itself: refused
    // with a word (the shell under Wine hangs or ends the program on a copy
    // onto itself, even when asked for new names).
    const std::optional<bool> done = TransferFiles(app_.shell, hwnd(), kind, *paths, folder);
    if (done && *done && kind == FileTransfer::Move) {
        // The cut's files moved here: its source has nothing to delete, and
        // a cut is pasted once.
        WriteDropEffect(data.get(), CFSTR_PERFORMEDDROPEFFECT, DROPEFFECT_NONE);
        WriteDropEffect(data.get(), CFSTR_PASTESUCCEEDED, DROPEFFECT_MOVE);
        OleSetClipboard(nullptr);
        clipboardData_.reset();
    }
    if (!done) return;
    if (IsSameFolder(folder, listedFolder_, UpperCaseText)) {
        SetFocus(LVList());  // back from the shell's windows
        RefreshCommand();
        UpdateCountPanel();
    }
}

}  // namespace orvane
