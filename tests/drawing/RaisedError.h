#pragma once
#include <windows.h>

#include "AutomationError.h"

// The HRESULT of the automation error `action` raises; S_OK when it raises none.
template <typename Action>
HRESULT RaisedError(Action&& action) {
    try {
        action();
    } catch (const vel::com::AutomationError& error) {
        return error.Result();
    }
    return S_OK;
}

constexpr HRESULT kOverflow = static_cast<HRESULT>(0x800A0006);
constexpr HRESULT kSubscriptOutOfRange = static_cast<HRESULT>(0x800A0009);
