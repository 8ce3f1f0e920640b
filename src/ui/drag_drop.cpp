// Drag and drop: the list hands its selected files to any drop target, and
// takes files dropped on it into the folder it shows; the tree takes files
// into the folder of the node they are dropped on. The shell does the work.
#include <shlobj.h>

#include "core/text.h"
#include "ui/file_transfer.h"
#include "core/drop_rules.h"
#include "ui/frm_main.h"
#include "platform/locale_text.h"
#include "platform/controls.h"
#include "platform/drag_source.h"
#include "platform/drop_target.h"
#include "platform/file_drop.h"
#include "platform/paths.h"

namespace orvane {

namespace {

constexpr UINT_PTR kListPressSubclass = 2;

}  // namespace

struct Frm_Main::DragDrop {
    struct ListTarget final : DropDelegate {
        explicit ListTarget(DragDrop& owner) : owner(owner) {}
        DWORD OnDragOver(const DragData& data, POINT, DWORD keys, DWORD allowed) override {
            return owner.ListTakes(data) ? owner.EffectFor(data, owner.main.listedFolder_, keys, allowed)
                                         : DROPEFFECT_NONE;
        }
        DWORD OnDrop(const DragData& data, POINT, DWORD keys, DWORD allowed) override {
            if (!owner.ListTakes(data)) return DROPEFFECT_NONE;
            return owner.DropOnList(data, owner.EffectFor(data, owner.main.listedFolder_, keys, allowed));
        }
        DragDrop& owner;
    };
    struct TreeTarget final : DropDelegate {
        explicit TreeTarget(DragDrop& owner) : owner(owner) {}
        DWORD OnDragOver(const DragData& data, POINT client, DWORD keys, DWORD allowed) override {
            const std::optional<std::wstring> folder = owner.TreeDragOver(client);
            return folder && owner.Takes(data, *folder) ? owner.EffectFor(data, *folder, keys, allowed)
                                                        : DROPEFFECT_NONE;
        }
        void OnDragLeave() override { owner.main.ShowListedFolder(); }
        DWORD OnDrop(const DragData& data, POINT client, DWORD keys, DWORD allowed) override {
            return owner.DropOnTree(data, client, keys, allowed);
        }
        DragDrop& owner;
    };

    explicit DragDrop(Frm_Main& main)
        : main(main), listRegistration(main.LVList(), listTarget), treeRegistration(main.TVDir(), treeTarget) {
        SetWindowSubclass(main.LVList(), ListPressProc, kListPressSubclass, reinterpret_cast<DWORD_PTR>(this));
    }
    ~DragDrop() { RemoveWindowSubclass(main.LVList(), ListPressProc, kListPressSubclass); }
    DragDrop(const DragDrop&) = delete;
    DragDrop& operator=(const DragDrop&) = delete;

    // Files from elsewhere go into a folder that exists (the shell would make
    // a gone one anew); files from the folder itself stay.
    bool Takes(const DragData& data, const std::wstring& folder) const {
        return data.paths && !data.paths->empty() && !folder.empty() && FolderExists(folder) &&
               !FirstPathIsIn(*data.paths, folder, UpperCaseText);
    }
    bool ListTakes(const DragData& data) const { return Takes(data, main.listedFolder_); }

    // Without keys files move within a drive and are copied from another.
    DWORD EffectFor(const DragData& data, const std::wstring& folder, DWORD keys, DWORD allowed) {
        const std::wstring& first = data.paths->front();
        if (first != sameDriveFor.first || folder != sameDriveFor.second) {
            sameDriveFor = {first, folder};
            sameDrive = OnSameVolume(first, folder);
        }
        return DropEffectFor(keys, allowed, sameDrive);
    }

    DWORD DropOnList(const DragData& data, DWORD effect) {
        const DWORD told = Transfer(data, main.listedFolder_, effect);
        main.RefreshCommand();
        main.UpdateCountPanel();
        return told;
    }

    // Shows what the spot under the pointer is; the folder that takes a drop there.
    std::optional<std::wstring> TreeDragOver(POINT client) {
        const HTREEITEM item = treeview::HitTest(main.TVDir(), client);
        const FolderNode* node = main.NodeOf(item);
        const std::optional<std::wstring> nodeFolder = node ? std::optional(node->folder) : std::nullopt;
        // Over empty space the panel names the folder the list shows.
        const TreeDragSpot spot =
            TreeDragSpotFor(nodeFolder, nodeFolder && FolderExists(*nodeFolder), main.listedFolder_);
        if (spot.status) statusbar::SetText(main.SBMain(), 0, *spot.status);
        return spot.takesDrop ? nodeFolder : std::nullopt;
    }

    DWORD DropOnTree(const DragData& data, POINT client, DWORD keys, DWORD allowed) {
        DWORD told = DROPEFFECT_NONE;
        const std::optional<std::wstring> folder = TreeDragOver(client);
        if (folder && Takes(data, *folder)) told = Transfer(data, *folder, EffectFor(data, *folder, keys, allowed));
        // The panel names the listed folder again. The list is not refilled:
        // a drag from it refreshes as it ends.
        main.ShowListedFolder();
        main.UpdateCountPanel();
        return told;
    }

    // Moves or copies the dropped files into folder through the shell; the
    // effect the source is told.
    DWORD Transfer(const DragData& data, const std::wstring& folder, DWORD effect) {
        const std::optional<FileTransfer> kind = TransferForDrop(effect);
        const std::optional<bool> done =
            kind ? TransferFiles(main.app_.shell, main.hwnd(), *kind, *data.paths, folder) : std::nullopt;
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

    // Remembers Ctrl as a mouse button goes down on the list: it alone
    // decides whether a drag from the list copies. A Ctrl press on a selected
    // row would unselect it at once in some list controls (Wine's), before a
    // drag can start: the list sees a plain press, and when no drag follows,
    // the click unselects that row as a Ctrl click does.
    static LRESULT CALLBACK ListPressProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
        auto* self = reinterpret_cast<DragDrop*>(data);
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            self->controlAtListPress = (wParam & MK_CONTROL) != 0;
            self->ctrlPressedRow = -1;
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const int row = self->main.fileList_.HitTest(at);
            if (message == WM_LBUTTONDOWN && (wParam & MK_CONTROL) && !(wParam & MK_SHIFT) && row >= 0 &&
                ListView_GetItemState(list, row, LVIS_SELECTED)) {
                self->ctrlPressedRow = row;
                self->selectedAtPress = self->main.fileList_.SelectedRows();
                wParam &= ~static_cast<WPARAM>(MK_CONTROL);
            }
            break;
        }
        case WM_LBUTTONUP:
            if (self->ctrlPressedRow >= 0) {
                const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
                ListView& rows = self->main.fileList_;
                rows.ClearSelection();
                for (int row : self->selectedAtPress)
                    if (row != self->ctrlPressedRow) rows.Select(row, true);
                rows.Focus(self->ctrlPressedRow);
                self->ctrlPressedRow = -1;
                return result;
            }
            break;
        default:
            break;
        }
        return DefSubclassProc(list, message, wParam, lParam);
    }

    Frm_Main& main;
    std::pair<std::wstring, std::wstring> sameDriveFor;  // the first path and the folder last asked about
    bool sameDrive = true;
    ListTarget listTarget{*this};
    TreeTarget treeTarget{*this};
    DropTargetRegistration listRegistration;
    DropTargetRegistration treeRegistration;
    bool controlAtListPress = false;
    int ctrlPressedRow = -1;  // a selected row pressed with Ctrl, until a drag or the release
    std::vector<int> selectedAtPress;
};

void Frm_Main::SetUpDragDrop() { dragDrop_ = std::make_shared<DragDrop>(*this); }

void Frm_Main::TearDownDragDrop() {
    if (!dragDrop_) return;
    // What we put on the clipboard stays there after the window is gone.
    if (clipboardData_ && OleIsCurrentClipboard(clipboardData_.get()) == S_OK) OleFlushClipboard();
    clipboardData_.reset();
    dragDrop_.reset();
}

IDropTarget* Frm_Main::ListDropTarget() const { return dragDrop_ ? dragDrop_->listRegistration.Target() : nullptr; }
IDropTarget* Frm_Main::TreeDropTarget() const { return dragDrop_ ? dragDrop_->treeRegistration.Target() : nullptr; }

ComPtr<IDataObject> Frm_Main::ListDragData() {
    std::vector<std::wstring> paths = FilesToActOn();
    if (paths.empty()) return {};
    return MakeFileDropData([paths = std::move(paths)] { return paths; });
}

void Frm_Main::OnBeginDrag(int /*row*/) {
    if (!dragDrop_) return;
    dragDrop_->ctrlPressedRow = -1;  // a drag, not a Ctrl click
    const ComPtr<IDataObject> data = ListDragData();
    if (!data) return;
    listDragging_ = true;
    const DWORD effect = RunDragLoop(data.get(), ListDragEffect(dragDrop_->controlAtListPress));
    listDragging_ = false;
    EndDragFromList(effect, data.get());
}

void Frm_Main::EndDragFromList(DWORD effect, IDataObject* data) {
    // A target that moved the files itself reports no effect and says so on the data.
    const bool moved =
        effect == DROPEFFECT_MOVE || ReadDropEffect(data, CFSTR_LOGICALPERFORMEDDROPEFFECT) == DWORD{DROPEFFECT_MOVE};
    // Whatever the target reported (a drop that failed part-way reports
    // none), the rows of files that left go.
    DropRowsWhoseFilesLeft();
    if (effect == DROPEFFECT_NONE && !moved) return;
    RefreshCommand();
    UpdateCountPanel();
}

}  // namespace orvane
