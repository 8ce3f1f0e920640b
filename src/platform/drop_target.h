// A window as an OLE drop target: a small COM adapter that hands the drag's
// steps to a plain C++ delegate, registered with the window and revoked when
// its owner goes.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// What is being dragged over the window, read once when it enters.
struct DragData {
    IDataObject* object = nullptr;  // valid only during the call
    // The dropped paths; nothing when the data offers no file-drop format.
    std::optional<std::vector<std::wstring>> paths;
};

class DropDelegate {
public:
    // The pointer entered or moved: point in the window's client
    // coordinates, keys the MK_ flags of the moment, allowed the source's
    // effects. Returns the one effect to show (DROPEFFECT_NONE refuses).
    virtual DWORD OnDragOver(const DragData& data, POINT client, DWORD keys, DWORD allowed) = 0;
    virtual void OnDragLeave() {}
    // The drop. The platform does not always report the mouse buttons or
    // keys with the drop (Wine never does), so keys are those of the last
    // OnDragOver. Returns the effect performed, which the source is told.
    virtual DWORD OnDrop(const DragData& data, POINT client, DWORD keys, DWORD allowed) = 0;

protected:
    ~DropDelegate() = default;
};

// Registers a drop target for the window for as long as it lives (OLE must
// be initialised on the thread). A registration that failed does nothing.
class DropTargetRegistration {
public:
    DropTargetRegistration(HWND window, DropDelegate& delegate);
    ~DropTargetRegistration();
    DropTargetRegistration(const DropTargetRegistration&) = delete;
    DropTargetRegistration& operator=(const DropTargetRegistration&) = delete;

    bool Registered() const { return registered_; }
    // The adapter itself, for tests that play a drag by calling it.
    IDropTarget* Target() const { return target_; }

private:
    HWND window_;
    IDropTarget* target_;  // one reference, ours
    bool registered_ = false;
};

}  // namespace orvane
