#include "PropertyPageSite.h"

#include "PropertyFrame.h"

namespace velform {

STDMETHODIMP PropertyPageSite::OnStatusChange(DWORD flags) {
    if (frame_ && (flags & PROPPAGESTATUS_DIRTY)) frame_->PageBecameDirty();
    return S_OK;
}

STDMETHODIMP PropertyPageSite::GetLocaleID(LCID* locale) {
    if (!locale) return E_POINTER;
    *locale = GetUserDefaultLCID();
    return S_OK;
}

STDMETHODIMP PropertyPageSite::GetPageContainer(IUnknown** container) {
    if (!container) return E_POINTER;
    *container = nullptr;
    return E_NOTIMPL;
}

}  // namespace velform
