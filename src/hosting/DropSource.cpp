#include "DropSource.h"

namespace vel::hosting {

STDMETHODIMP DropSource::QueryContinueDrag(BOOL escapePressed, DWORD keys) {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if (!(keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) return DRAGDROP_S_DROP;
    return S_OK;
}

STDMETHODIMP DropSource::GiveFeedback(DWORD effect) {
    if (!listener_) return DRAGDROP_S_USEDEFAULTCURSORS;
    com::ComPtr<IDropSource> self(this);
    return listener_->OnGiveFeedback(effect) ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
}

}  // namespace vel::hosting
