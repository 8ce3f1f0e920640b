#include "platform/drop_target.h"

#include "platform/com.h"
#include "platform/file_drop.h"

namespace orvane {
namespace {

class DropTargetAdapter final : public ComObject<IDropTarget, IID_IDropTarget> {
public:
    DropTargetAdapter(HWND window, DropDelegate& delegate) : window_(window), delegate_(&delegate) {}

    // The window's owner is going: later calls from OLE do nothing.
    void Detach() { delegate_ = nullptr; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* object, DWORD keys, POINTL at, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        paths_ = FileDropPaths(object);
        return Over(object, keys, at, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        return Over(object_, keys, at, effect);
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (delegate_) delegate_->OnDragLeave();
        object_ = nullptr;
        paths_.reset();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* object, DWORD, POINTL at, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        const DragData data{object, FileDropPaths(object)};
        const DWORD allowed = *effect;
        *effect = delegate_ ? delegate_->OnDrop(data, ClientPoint(at), keys_, allowed) & allowed : DROPEFFECT_NONE;
        object_ = nullptr;
        paths_.reset();
        return S_OK;
    }

private:
    ~DropTargetAdapter() override = default;

    HRESULT Over(IDataObject* object, DWORD keys, POINTL at, DWORD* effect) {
        object_ = object;
        keys_ = keys;
        const DWORD allowed = *effect;
        const DragData data{object, paths_};
        *effect = delegate_ ? delegate_->OnDragOver(data, ClientPoint(at), keys, allowed) & allowed : DROPEFFECT_NONE;
        return S_OK;
    }
    POINT ClientPoint(POINTL at) const {
        POINT point{at.x, at.y};
        ScreenToClient(window_, &point);
        return point;
    }

    HWND window_;
    DropDelegate* delegate_;
    IDataObject* object_ = nullptr;  // between DragEnter and DragLeave or Drop, held by the drag loop
    std::optional<std::vector<std::wstring>> paths_;
    DWORD keys_ = 0;
};

}  // namespace

DropTargetRegistration::DropTargetRegistration(HWND window, DropDelegate& delegate)
    : window_(window), target_(new DropTargetAdapter(window, delegate)) {
    registered_ = window && SUCCEEDED(RegisterDragDrop(window, target_));
}

DropTargetRegistration::~DropTargetRegistration() {
    if (registered_) RevokeDragDrop(window_);
    static_cast<DropTargetAdapter*>(target_)->Detach();
    target_->Release();
}

}  // namespace orvane
