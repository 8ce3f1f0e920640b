// Drag and drop: the list hands its selected files to any drop target, and
// takes files dropped on it into the folder it shows; the tree takes files
// into the folder of the node they are dropped on. The shell does the work.
#pragma once

#include <windows.h>
#include <oleidl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/com.h"
#include "platform/drop_target.h"
#include "platform/shell_ui.h"
#include "ui/file_list_panel.h"
#include "ui/folder_tree.h"
#include "ui/undo_log.h"

namespace orvane {

class DragDrop final {
public:
    // Registers the list and the tree as drop targets; statusBar's first
    // panel names the folder under a drag over the tree. The moves and
    // copies of drops go to undo.
    DragDrop(ShellUi& shell, FileListPanel& list, FolderTree& tree, HWND statusBar, UndoLog& undo);
    ~DragDrop();
    DragDrop(const DragDrop&) = delete;
    DragDrop& operator=(const DragDrop&) = delete;

    IDropTarget* ListDropTarget() const { return listRegistration_.Target(); }
    IDropTarget* TreeDropTarget() const { return treeRegistration_.Target(); }
    // What a drag from the list hands over: the selected rows' files;
    // nothing when there are none to act on.
    ComPtr<IDataObject> ListDragData();
    // The user began to drag the list's selected rows: runs the drag loop.
    void DragFromList();
    // The end of a drag from the list: the effect the drag loop reported and
    // the data, on which the target may have said what it did.
    void EndDragFromList(DWORD effect, IDataObject* data);

private:
    struct ListTarget final : DropDelegate {
        explicit ListTarget(DragDrop& owner) : owner(owner) {}
        DWORD OnDragOver(const DragData& data, POINT, DWORD keys, DWORD allowed) override;
        DWORD OnDrop(const DragData& data, POINT, DWORD keys, DWORD allowed) override;
        DragDrop& owner;
    };
    struct TreeTarget final : DropDelegate {
        explicit TreeTarget(DragDrop& owner) : owner(owner) {}
        DWORD OnDragOver(const DragData& data, POINT client, DWORD keys, DWORD allowed) override;
        void OnDragLeave() override;
        DWORD OnDrop(const DragData& data, POINT client, DWORD keys, DWORD allowed) override;
        DragDrop& owner;
    };

    bool Takes(const DragData& data, const std::wstring& folder) const;
    bool ListTakes(const DragData& data) const { return Takes(data, list_.ListedFolder()); }
    DWORD EffectFor(const DragData& data, const std::wstring& folder, DWORD keys, DWORD allowed);
    DWORD DropOnList(const DragData& data, DWORD effect);
    std::optional<std::wstring> TreeDragOver(POINT client);
    DWORD DropOnTree(const DragData& data, POINT client, DWORD keys, DWORD allowed);
    DWORD Transfer(const DragData& data, const std::wstring& folder, DWORD effect);
    static LRESULT CALLBACK ListPressProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data);

    HWND Owner() const { return GetParent(list_.LVList()); }

    ShellUi& shell_;
    UndoLog& undo_;
    FileListPanel& list_;
    FolderTree& tree_;
    HWND statusBar_;
    std::pair<std::wstring, std::wstring> sameDriveFor_;  // the first path and the folder last asked about
    bool sameDrive_ = true;
    ListTarget listTarget_{*this};
    TreeTarget treeTarget_{*this};
    DropTargetRegistration listRegistration_;
    DropTargetRegistration treeRegistration_;
    bool controlAtListPress_ = false;
    int ctrlPressedRow_ = -1;  // a selected row pressed with Ctrl, until a drag or the release
    std::vector<int> selectedAtPress_;
};

}  // namespace orvane
