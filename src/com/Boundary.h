#pragma once
#include <windows.h>
#include <new>

#include "AutomationError.h"

namespace vel::com {

// Runs the body of an interface method: an AutomationError becomes the returned
// HRESULT with the thread's error object set; nothing else escapes either.
template <class Body>
HRESULT Guarded(REFIID iid, Body&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (const AutomationError& error) {
        return error.Report(iid);
    } catch (const std::bad_alloc&) {
        return MakeStandardError(StandardError::OutOfMemory).Report(iid);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// Checks an [out] pointer before the body runs.
#define VEL_CHECK_OUT(p) \
    do {                 \
        if (!(p)) return E_POINTER; \
    } while (0)

}  // namespace vel::com
