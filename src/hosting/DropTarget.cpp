#include "DropTarget.h"

namespace vel::hosting {

void DropTarget::Pass(Step step, DWORD keys, POINTL point, DWORD* effect) {
    keys_ = keys;
    point_ = point;
    DWORD none = DROPEFFECT_NONE;
    if (!effect) effect = &none;
    if (!listener_) {
        *effect = DROPEFFECT_NONE;
        return;
    }
    // The listener may end the control; this object and the data stay for the call.
    com::ComPtr<IDropTarget> self(this);
    com::ComPtr<IDataObject> data = data_;
    listener_->OnDragStep(step, data.Get(), keys, point, effect);
}

STDMETHODIMP DropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
    data_ = data;
    Pass(Step::Enter, keys, point, effect);
    return S_OK;
}

STDMETHODIMP DropTarget::DragOver(DWORD keys, POINTL point, DWORD* effect) {
    Pass(Step::Over, keys, point, effect);
    return S_OK;
}

STDMETHODIMP DropTarget::DragLeave() {
    DWORD effect = DROPEFFECT_NONE;
    Pass(Step::Leave, keys_, point_, &effect);
    data_.Reset();
    return S_OK;
}

STDMETHODIMP DropTarget::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
    if (data) data_ = data;
    Pass(Step::Drop, keys, point, effect);
    data_.Reset();
    return S_OK;
}

}  // namespace vel::hosting
