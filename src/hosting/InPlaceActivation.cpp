#include "InPlaceActivation.h"

namespace vel::hosting {

HRESULT InPlaceActivation::Activate(IOleClientSite* site) {
    if (site_) return S_OK;
    ComPtr<IOleInPlaceSite> inPlaceSite;
    if (!site || FAILED(site->QueryInterface(IID_PPV_ARGS(&inPlaceSite)))) return E_NOINTERFACE;
    if (inPlaceSite->CanInPlaceActivate() != S_OK) return E_FAIL;
    HRESULT hr = inPlaceSite->OnInPlaceActivate();
    if (FAILED(hr)) return hr;
    HWND parent = nullptr;
    RECT clip{};
    OLEINPLACEFRAMEINFO info{sizeof(OLEINPLACEFRAMEINFO)};
    if (FAILED(inPlaceSite->GetWindow(&parent)) ||
        FAILED(inPlaceSite->GetWindowContext(&frame_, &document_, &position_, &clip, &info))) {
        frame_.Reset();
        document_.Reset();
        inPlaceSite->OnInPlaceDeactivate();
        return E_FAIL;
    }
    site_ = inPlaceSite;
    window_.Attach(parent, position_, shown_);
    return S_OK;
}

HRESULT InPlaceActivation::ActivateUI() {
    if (!site_) return E_UNEXPECTED;
    if (uiActive_) return S_OK;
    uiActive_ = true;
    site_->OnUIActivate();
    HWND focus = GetFocus();
    // A hidden window takes no keyboard focus.
    if (shown_ && focus != window_.Handle() && !IsChild(window_.Handle(), focus)) SetFocus(window_.Handle());
    if (frame_) frame_->SetActiveObject(&activeObject_, nullptr);
    if (document_) document_->SetActiveObject(&activeObject_, nullptr);
    return S_OK;
}

void InPlaceActivation::DeactivateUI() {
    if (!uiActive_) return;
    uiActive_ = false;
    if (document_) document_->SetActiveObject(nullptr, nullptr);
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (site_) site_->OnUIDeactivate(FALSE);
}

void InPlaceActivation::Deactivate() {
    if (!site_) return;
    DeactivateUI();
    window_.Park();
    ComPtr<IOleInPlaceSite> site = std::move(site_);
    frame_.Reset();
    document_.Reset();
    site->OnInPlaceDeactivate();
}

void InPlaceActivation::Move(const RECT& position) {
    position_ = position;
    if (site_) window_.Attach(GetParent(window_.Handle()), position, shown_);
}

void InPlaceActivation::SetWindowShown(bool shown) {
    if (shown_ == shown) return;
    shown_ = shown;
    if (site_) window_.Attach(GetParent(window_.Handle()), position_, shown_);
}

}  // namespace vel::hosting
