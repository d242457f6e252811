#pragma once
// Wine's ATL (atl.dll), loaded with its container window class "AtlAxWin" registered.
#include <windows.h>

#include <memory>
#include <type_traits>
#include <wrl/client.h>

namespace vel::test {

class AtlLibrary {
public:
    AtlLibrary();
    bool Ready() const { return module_ && getControl_; }
    // The control an AtlAxWin window holds.
    Microsoft::WRL::ComPtr<IUnknown> ControlOf(HWND host) const;

private:
    struct FreeModule {
        void operator()(HMODULE module) const { FreeLibrary(module); }
    };
    using GetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

    std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule> module_;
    GetControlFn getControl_ = nullptr;
};

}  // namespace vel::test
