#pragma once
#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include "ControlWindow.h"

namespace vel::hosting {

using Microsoft::WRL::ComPtr;

// The control's in-place and UI activation inside its container's window: the
// container's in-place site, frame and document window while active.
class InPlaceActivation {
public:
    InPlaceActivation(ControlWindow& window, IOleInPlaceActiveObject& activeObject)
        : window_(window), activeObject_(activeObject) {}

    // Moves the window into the container's window at the position the site gives.
    HRESULT Activate(IOleClientSite* site);
    HRESULT ActivateUI();
    void DeactivateUI();
    void Deactivate();
    void Move(const RECT& position);
    // Whether the window is shown while active (a control invisible at run time keeps
    // it hidden); applied at once when active.
    void SetWindowShown(bool shown);

    bool Active() const { return site_ != nullptr; }
    bool UIActive() const { return uiActive_; }
    const RECT& Position() const { return position_; }

private:
    ControlWindow& window_;
    IOleInPlaceActiveObject& activeObject_;
    ComPtr<IOleInPlaceSite> site_;
    ComPtr<IOleInPlaceFrame> frame_;
    ComPtr<IOleInPlaceUIWindow> document_;
    RECT position_{};
    bool uiActive_ = false;
    bool shown_ = true;
};

}  // namespace vel::hosting
