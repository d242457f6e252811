#pragma once
#include <oaidl.h>
#include <string>

#include "ComObject.h"
#include "SiteOwner.h"

namespace velform {

// Receives the events of one control on its default source interface, logs them
// and calls the form code's `Sub <Name>_<Event>` when there is one. Arguments the
// control passes by reference reach the code as VT_BYREF|VT_VARIANT (the only way
// VBScript writes them back), and what the code assigned is copied back.
class EventSink : public vel::com::ComObject<EventSink, IDispatch> {
public:
    EventSink(SiteOwner& owner, std::wstring controlName, REFIID source, ITypeInfo* sourceInfo)
        : owner_(owner), controlName_(std::move(controlName)), source_(source), sourceInfo_(sourceInfo) {}

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

protected:
    bool QueryExtra(REFIID iid, void** out) override;

private:
    std::wstring EventName(DISPID id) const;
    std::wstring Describe(const std::wstring& handler, const DISPPARAMS& params) const;
    void CallHandler(const std::wstring& handler, DISPPARAMS& params);

    SiteOwner& owner_;
    std::wstring controlName_;
    IID source_;
    vel::com::ComPtr<ITypeInfo> sourceInfo_;
};

}  // namespace velform
