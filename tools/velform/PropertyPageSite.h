#pragma once
#include <ocidl.h>

#include "ComObject.h"

namespace velform {

class PropertyFrame;

// The site of one page in the form's property frame: a page reports through it
// that it became dirty, which enables the frame's Apply button.
class PropertyPageSite : public vel::com::ComObject<PropertyPageSite, IPropertyPageSite> {
public:
    explicit PropertyPageSite(PropertyFrame& frame) : frame_(&frame) {}
    // The frame is going; later reports are ignored.
    void Detach() { frame_ = nullptr; }

    STDMETHODIMP OnStatusChange(DWORD flags) override;
    STDMETHODIMP GetLocaleID(LCID* locale) override;
    STDMETHODIMP GetPageContainer(IUnknown** container) override;
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

private:
    PropertyFrame* frame_;
};

}  // namespace velform
