#pragma once
#include <windows.h>
#include <oaidl.h>
#include <vector>
#include <wrl/client.h>

#include "Variant.h"

namespace vel::hosting {

// Calls on an automation object by name, as a script makes them: what a property
// page uses on the controls it edits, so that it works on any object the frame
// hands it (the control itself or a container's wrapper). The object converts the
// arguments as its properties declare. A failure throws com::AutomationError with
// the object's error number and text, or the standard text of a conversion error.
class LateBound {
public:
    explicit LateBound(Microsoft::WRL::ComPtr<IDispatch> object) : object_(std::move(object)) {}

    IDispatch* Object() const { return object_.Get(); }
    com::Variant Get(const wchar_t* name, std::vector<com::Variant> arguments = {}) const;
    // The object behind a property (a collection, a member of one); null for Nothing.
    LateBound GetObject(const wchar_t* name, std::vector<com::Variant> arguments = {}) const;
    void Put(const wchar_t* name, com::Variant value) const;
    com::Variant Call(const wchar_t* name, std::vector<com::Variant> arguments = {}) const;

private:
    com::Variant Invoke(const wchar_t* name, WORD flags, std::vector<com::Variant> arguments) const;

    Microsoft::WRL::ComPtr<IDispatch> object_;
};

}  // namespace vel::hosting
