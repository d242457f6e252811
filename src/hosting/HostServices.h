#pragma once
// Services a container may offer the controls it hosts, beyond the OLE control
// protocol. A control asks its client site for IVelHostServices (directly, or
// through IServiceProvider with the same identifier); a container without it gets
// the controls' own fallbacks.
#include <windows.h>
#include <objidl.h>

struct IVelHostServices : public IUnknown {
    // Shows a message box for a control. `title` null means the application's title.
    // Answers the button pressed (IDOK, IDYES, ...) in *answer.
    virtual HRESULT STDMETHODCALLTYPE ShowMessage(LPCWSTR text, UINT style, LPCWSTR title, int* answer) = 0;
    // The controls the container has placed inside `control` (a control container).
    virtual HRESULT STDMETHODCALLTYPE ContainedControls(IUnknown* control, IEnumUnknown** controls) = 0;
};

__CRT_UUID_DECL(IVelHostServices, 0x6c3e1f40, 0x8d2a, 0x4b7e, 0x9a, 0x51, 0x2f, 0x0d, 0x7c, 0x44, 0xe1, 0x93)
