#pragma once
#include <windows.h>
#include <oaidl.h>

namespace vel::com {

// Every interface of the runtime's objects reports errors through IErrorInfo.
class SupportErrorInfo : public ISupportErrorInfo {
public:
    using Interface = ISupportErrorInfo;
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }
};

}  // namespace vel::com
