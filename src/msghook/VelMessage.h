#pragma once
#include "Bstr.h"
#include "ComObject.h"
#include "DispatchImpl.h"
#include "MsgHookTypes.h"
#include "SupportErrorInfo.h"
#include "Variant.h"

namespace vel::msghook {

class VelMessages;

// One message number that a hook watches on a window, and how the window's previous
// procedure is treated for it. Created only by VelMessages.Add.
class VelMessage : public com::ComObject<VelMessage, com::DispatchImpl<::VelMessage>, com::SupportErrorInfo> {
public:
    // Automation interface.
    STDMETHODIMP get_Value(LONG* value) override;
    STDMETHODIMP put_Value(LONG value) override;
    STDMETHODIMP get_Text(BSTR* text) override;
    STDMETHODIMP put_Text(BSTR text) override;
    STDMETHODIMP get_ProcessDefaultProc(VARIANT_BOOL* process) override;
    STDMETHODIMP put_ProcessDefaultProc(VARIANT_BOOL process) override;
    STDMETHODIMP get_ProcessType(VelProcessingConstants* type) override;
    STDMETHODIMP put_ProcessType(VelProcessingConstants type) override;
    STDMETHODIMP get_Index(LONG* index) override;
    STDMETHODIMP get_Key(VARIANT* key) override;
    STDMETHODIMP put_Key(VARIANT key) override;
    STDMETHODIMP get_Tag(VARIANT* tag) override;
    STDMETHODIMP put_Tag(VARIANT tag) override;

    // Operations of the library.
    void SetParent(VelMessages* parent) { parent_ = parent; }
    VelMessages* Parent() const { return parent_; }
    void SetIndex(long index) { index_ = index; }
    void AssignIndex(long index) { SetIndex(index); }
    long IndexValue() const { return index_; }
    const VARIANT& KeyValue() const { return key_.Get(); }
    void StoreKey(com::Variant key) { key_ = std::move(key); }

    long MessageNumber() const { return value_; }
    bool ProcessesDefaultProc() const { return processDefaultProc_; }
    long ProcessingType() const { return processType_; }
    // Stores without checks or notification (Add builds a message with these).
    void StoreValue(long value) { value_ = value; }
    void StoreText(com::Bstr text) { text_ = std::move(text); }
    void StoreProcessDefaultProc(bool process) { processDefaultProc_ = process; }
    void StoreProcessType(long type) { processType_ = type; }

    void SetValue(long value);
    void SetText(com::Bstr text);
    void SetKey(const VARIANT& argument);
    void SetTag(const VARIANT& argument);

private:
    void Notify(const wchar_t* property);

    VelMessages* parent_ = nullptr;  // the owning collection while the message belongs to it
    long value_ = 0;
    com::Bstr text_;
    com::Variant key_;
    com::Variant tag_;
    long index_ = 0;
    bool processDefaultProc_ = true;
    long processType_ = velBeforeDefaultProc;
};

}  // namespace vel::msghook
