#include "TestContainer.h"

namespace vel::test {

TestContainer::TestContainer() {
    window_ = CreateWindowExW(0, L"STATIC", L"Test container", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
}

TestContainer::~TestContainer() { DestroyWindow(window_); }

STDMETHODIMP TestContainer::GetWindow(HWND* window) {
    *window = window_;
    return S_OK;
}

STDMETHODIMP TestContainer::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                             LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO) {
    *frame = nullptr;
    *document = nullptr;
    *position = {10, 10, 110, 60};
    *clip = *position;
    return S_OK;
}

STDMETHODIMP TestContainer::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

STDMETHODIMP TestContainer::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
    auto found = ambients.find(id);
    if (found == ambients.end()) return DISP_E_MEMBERNOTFOUND;
    if (result) found->second.CopyTo(result);
    return S_OK;
}

STDMETHODIMP TestContainer::OnChanged(DISPID id) {
    changes.push_back(id);
    return S_OK;
}

STDMETHODIMP TestContainer::ShowMessage(BSTR text, BSTR title, long style, long* answer) {
    messages.push_back(std::wstring(text ? text : L"") + L"|" + (SysStringLen(title) ? title : L"<application>"));
    messageStyles.push_back(style);
    *answer = IDOK;
    return S_OK;
}

}  // namespace vel::test
