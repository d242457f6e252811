#pragma once
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <vector>
#include <wrl/client.h>

#include "FormAmbients.h"
#include "FormJournal.h"

namespace velform {

class ControlSite;

// What a control's site needs of the form that holds it.
class SiteOwner {
public:
    virtual HWND FormWindow() const = 0;
    virtual const std::wstring& FormTitle() const = 0;
    virtual IOleInPlaceFrame* Frame() const = 0;
    virtual bool UserMode() const = 0;
    virtual const FormAmbients& Ambients() const = 0;
    virtual FormJournal& Journal() = 0;
    // The dispatch of the running form code, or nothing before it runs.
    virtual Microsoft::WRL::ComPtr<IDispatch> ScriptDispatch() const = 0;
    virtual void ShowPropertyFrame(ControlSite& site) = 0;
    // The controls placed inside `control`, in the order of the form file.
    virtual std::vector<Microsoft::WRL::ComPtr<IUnknown>> ContainedControls(IUnknown* control) const = 0;

protected:
    ~SiteOwner() = default;
};

}  // namespace velform
