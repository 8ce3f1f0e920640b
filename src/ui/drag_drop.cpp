// Drag and drop between the list, the tree and any other program.
#include "ui/drag_drop.h"

#include <shlobj.h>

#include "core/drop_rules.h"
#include "core/text.h"
#include "platform/controls.h"
#include "platform/drag_source.h"
#include "platform/file_drop.h"
#include "platform/locale_text.h"
#include "platform/paths.h"
#include "ui/file_transfer.h"

namespace orvane {

namespace {

constexpr UINT_PTR kListPressSubclass = 2;

}  // namespace

DragDrop::DragDrop(ShellUi& shell, FileListPanel& list, FolderTree& tree, HWND statusBar, UndoLog& undo)
    : shell_(shell),
      undo_(undo),
      list_(list),
      tree_(tree),
      statusBar_(statusBar),
      listRegistration_(list.LVList(), listTarget_),
      treeRegistration_(tree.TVDir(), treeTarget_) {
    SetWindowSubclass(list_.LVList(), ListPressProc, kListPressSubclass, reinterpret_cast<DWORD_PTR>(this));
}

DragDrop::~DragDrop() { RemoveWindowSubclass(list_.LVList(), ListPressProc, kListPressSubclass); }

DWORD DragDrop::ListTarget::OnDragOver(const DragData& data, POINT, DWORD keys, DWORD allowed) {
    return owner.ListTakes(data) ? owner.EffectFor(data, owner.list_.ListedFolder(), keys, allowed) : DROPEFFECT_NONE;
}

DWORD DragDrop::ListTarget::OnDrop(const DragData& data, POINT, DWORD keys, DWORD allowed) {
    if (!owner.ListTakes(data)) return DROPEFFECT_NONE;
    return owner.DropOnList(data, owner.EffectFor(data, owner.list_.ListedFolder(), keys, allowed));
}

DWORD DragDrop::TreeTarget::OnDragOver(const DragData& data, POINT client, DWORD keys, DWORD allowed) {
    const std::optional<std::wstring> folder = owner.TreeDragOver(client);
    return folder && owner.Takes(data, *folder) ? owner.EffectFor(data, *folder, keys, allowed) : DROPEFFECT_NONE;
}

void DragDrop::TreeTarget::OnDragLeave() { owner.list_.ShowListedFolder(); }

DWORD DragDrop::TreeTarget::OnDrop(const DragData& data, POINT client, DWORD keys, DWORD allowed) {
    return owner.DropOnTree(data, client, keys, allowed);
}

// Files from elsewhere go into a folder that exists (the shell would make
// a gone one anew); files from the folder itself stay.
bool DragDrop::Takes(const DragData& data, const std::wstring& folder) const {
    return data.paths && !data.paths->empty() && !folder.empty() && FolderExists(folder) &&
           !FirstPathIsIn(*data.paths, folder, UpperCaseText);
}

// Without keys files move within a drive and are copied from another.
DWORD DragDrop::EffectFor(const DragData& data, const std::wstring& folder, DWORD keys, DWORD allowed) {
    const std::wstring& first = data.paths->front();
    if (first != sameDriveFor_.first || folder != sameDriveFor_.second) {
        sameDriveFor_ = {first, folder};
        sameDrive_ = OnSameVolume(first, folder);
    }
    return DropEffectFor(keys, allowed, sameDrive_);
}

DWORD DragDrop::DropOnList(const DragData& data, DWORD effect) {
    const DWORD told = Transfer(data, list_.ListedFolder(), effect);
    list_.RelistSelecting(data.paths ? *data.paths : std::vector<std::wstring>());
    return told;
}

// Shows what the spot under the pointer is; the folder that takes a drop there.
std::optional<std::wstring> DragDrop::TreeDragOver(POINT client) {
    const std::optional<std::wstring> nodeFolder = tree_.FolderAt(client);
    // Over empty space the panel names the folder the list shows.
    const TreeDragSpot spot =
        TreeDragSpotFor(nodeFolder, nodeFolder && FolderExists(*nodeFolder), list_.ListedFolder());
    if (spot.status) statusbar::SetText(statusBar_, 0, *spot.status);
    return spot.takesDrop ? nodeFolder : std::nullopt;
}

DWORD DragDrop::DropOnTree(const DragData& data, POINT client, DWORD keys, DWORD allowed) {
    DWORD told = DROPEFFECT_NONE;
    const std::optional<std::wstring> folder = TreeDragOver(client);
    if (folder && Takes(data, *folder)) told = Transfer(data, *folder, EffectFor(data, *folder, keys, allowed));
    // The panel names the listed folder again. The list is not refilled:
    // a drag from it refreshes as it ends.
    list_.ShowListedFolder();
    return told;
}

// Moves or copies the dropped files into folder through the shell; the
// effect the source is told.
DWORD DragDrop::Transfer(const DragData& data, const std::wstring& folder, DWORD effect) {
    const std::optional<FileTransfer> kind = TransferForDrop(effect);
    const std::optional<bool> done = kind ? TransferFiles(shell_, Owner(), *kind, *data.paths, folder, &undo_) : std::nullopt;
    const bool copy = kind == FileTransfer::Copy;
    if (!done || !*done) {
        // Failed, aborted or cancelled part-way: no source may delete anything.
        WriteDropEffect(data.object, CFSTR_PERFORMEDDROPEFFECT, DROPEFFECT_NONE);
        return DROPEFFECT_NONE;
    }
    if (copy) {
        WriteDropEffect(data.object, CFSTR_PERFORMEDDROPEFFECT, DROPEFFECT_COPY);
        return DROPEFFECT_COPY;
    }
    // We moved the files ourselves (the shell's optimized move): the
    // source learns that they moved, and that it has nothing to delete.
    WriteDropEffect(data.object, CFSTR_PERFORMEDDROPEFFECT, DROPEFFECT_NONE);
    WriteDropEffect(data.object, CFSTR_LOGICALPERFORMEDDROPEFFECT, DROPEFFECT_MOVE);
    return DROPEFFECT_NONE;
}

// Remembers Ctrl as a mouse button goes down on the list: it alone decides
// whether a drag from the list copies. A Ctrl press on a selected row would
// unselect it at once in some list controls (Wine's), before a drag can
// start: the list sees a plain press, and when no drag follows, the click
// unselects that row as a Ctrl click does.
LRESULT CALLBACK DragDrop::ListPressProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
    auto* self = reinterpret_cast<DragDrop*>(data);
    ListView& rows = self->list_.View();
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        self->controlAtListPress_ = (wParam & MK_CONTROL) != 0;
        self->ctrlPressedRow_ = -1;
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int row = rows.HitTest(at);
        if (message == WM_LBUTTONDOWN && (wParam & MK_CONTROL) && !(wParam & MK_SHIFT) && row >= 0 &&
            ListView_GetItemState(list, row, LVIS_SELECTED)) {
            self->ctrlPressedRow_ = row;
            self->selectedAtPress_ = rows.SelectedRows();
            wParam &= ~static_cast<WPARAM>(MK_CONTROL);
        }
        break;
    }
    case WM_LBUTTONUP:
        if (self->ctrlPressedRow_ >= 0) {
            const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
            rows.ClearSelection();
            for (int row : self->selectedAtPress_)
                if (row != self->ctrlPressedRow_) rows.Select(row, true);
            rows.Focus(self->ctrlPressedRow_);
            self->ctrlPressedRow_ = -1;
            return result;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

ComPtr<IDataObject> DragDrop::ListDragData() {
    std::vector<std::wstring> paths = list_.FilesToActOn();
    if (paths.empty()) return {};
    return MakeFileDropData([paths = std::move(paths)] { return paths; });
}

void DragDrop::DragFromList() {
    ctrlPressedRow_ = -1;  // a drag, not a Ctrl click
    const ComPtr<IDataObject> data = ListDragData();
    if (!data) return;
    list_.SetDragging(true);
    const DWORD effect = RunDragLoop(data.get(), ListDragEffect(controlAtListPress_));
    list_.SetDragging(false);
    EndDragFromList(effect, data.get());
}

void DragDrop::EndDragFromList(DWORD effect, IDataObject* data) {
    // A target that moved the files itself reports no effect and says so on the data.
    const bool moved =
        effect == DROPEFFECT_MOVE || ReadDropEffect(data, CFSTR_LOGICALPERFORMEDDROPEFFECT) == DWORD{DROPEFFECT_MOVE};
    // Whatever the target reported (a drop that failed part-way reports
    // none), the rows of files that left go.
    list_.DropRowsWhoseFilesLeft();
    if (effect == DROPEFFECT_NONE && !moved) return;
    list_.Relist();
}

}  // namespace orvane
