#include "HostMessage.h"

#include "Bstr.h"

namespace vel::hosting {

Microsoft::WRL::ComPtr<IVelHostServices> HostMessage::ServicesOf(IOleClientSite* site) {
    Microsoft::WRL::ComPtr<IVelHostServices> services;
    if (!site) return services;
    if (SUCCEEDED(site->QueryInterface(IID_PPV_ARGS(&services)))) return services;
    Microsoft::WRL::ComPtr<IServiceProvider> provider;
    if (SUCCEEDED(site->QueryInterface(IID_PPV_ARGS(&provider))))
        provider->QueryService(__uuidof(IVelHostServices), IID_PPV_ARGS(&services));
    return services;
}

std::wstring HostMessage::ApplicationTitle() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring title(path);
    title = title.substr(title.find_last_of(L"\\/") + 1);
    auto dot = title.find_last_of(L'.');
    return dot == std::wstring::npos ? title : title.substr(0, dot);
}

int HostMessage::Show(IOleClientSite* site, HWND owner, std::wstring_view text, UINT style, const wchar_t* title) {
    std::wstring message(text);
    if (auto services = ServicesOf(site)) {
        com::Bstr shownText(message), shownTitle(title ? title : L"");
        long answer = 0;
        if (SUCCEEDED(services->ShowMessage(shownText.Get(), shownTitle.Get(), static_cast<long>(style), &answer)))
            return static_cast<int>(answer);
    }
    std::wstring caption = title ? title : ApplicationTitle();
    return MessageBoxW(owner, message.c_str(), caption.c_str(), style);
}

}  // namespace vel::hosting
