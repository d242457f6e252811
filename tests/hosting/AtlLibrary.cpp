#include "AtlLibrary.h"

namespace vel::test {

namespace {
template <class Fn>
Fn Entry(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
}  // namespace

AtlLibrary::AtlLibrary() : module_(LoadLibraryW(L"atl.dll")) {
    if (!module_) return;
    getControl_ = Entry<GetControlFn>(module_.get(), "AtlAxGetControl");
    if (auto init = Entry<BOOL(WINAPI*)()>(module_.get(), "AtlAxWinInit")) init();
}

Microsoft::WRL::ComPtr<IUnknown> AtlLibrary::ControlOf(HWND host) const {
    Microsoft::WRL::ComPtr<IUnknown> control;
    if (getControl_ && host) getControl_(host, &control);
    return control;
}

}  // namespace vel::test
