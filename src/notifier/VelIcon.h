#pragma once
#include <memory>
#include <olectl.h>

#include "Bstr.h"
#include "ComObject.h"
#include "DispatchImpl.h"
#include "SupportErrorInfo.h"
#include "Variant.h"
#include "VelNotifier_h.h"

namespace vel::notifier {

class VelIcons;

// One picture of the icon collection with its key, name and tag. Created only by
// VelIcons.Add. The entry keeps knowing its collection after it leaves it (its key is
// still checked there and its changes still reported there), without keeping the
// collection alive: when the collection goes, the entry is on its own.
class VelIcon : public com::ComObject<VelIcon, com::DispatchImpl<::VelIcon>, com::SupportErrorInfo> {
public:
    // A shared slot holding the collection while it lives; cleared by its destructor.
    using ParentSlot = std::shared_ptr<VelIcons*>;

    // Automation interface.
    STDMETHODIMP get_Index(short* index) override;
    STDMETHODIMP get_Icon(IPictureDisp** icon) override;
    STDMETHODIMP putref_Icon(IPictureDisp* icon) override;
    STDMETHODIMP get_Key(VARIANT* key) override;
    STDMETHODIMP put_Key(VARIANT key) override;
    STDMETHODIMP get_Name(BSTR* name) override;
    STDMETHODIMP put_Name(BSTR name) override;
    STDMETHODIMP get_Tag(VARIANT* tag) override;
    STDMETHODIMP put_Tag(VARIANT tag) override;

    // Operations of the library.
    void SetParent(ParentSlot parent) { parent_ = std::move(parent); }
    VelIcons* Parent() const { return parent_ ? *parent_ : nullptr; }
    void SetIndex(short index) { index_ = index; }

    // The setters as the collection and the control call them: validated and notified.
    void SetIcon(IPictureDisp* icon);
    void SetKey(const VARIANT& key);
    void SetName(std::wstring_view name);
    void SetTag(const VARIANT& tag);
    // Stores a key without checking or notifying (the collection has checked it).
    void StoreKey(com::Variant key) { key_ = std::move(key); }

    IPictureDisp* Picture() const { return icon_.Get(); }
    // The icon handle of the picture; nullptr without one.
    HICON IconHandle() const;
    const com::Bstr& NameValue() const { return name_; }
    const VARIANT& TagValue() const { return tag_.Get(); }

    // For the keyed sequence.
    const VARIANT& KeyValue() const { return key_.Get(); }
    long IndexValue() const { return index_; }
    void AssignIndex(long index) { index_ = static_cast<short>(index); }

private:
    void Notify(const wchar_t* property);

    com::ComPtr<IPictureDisp> icon_;
    com::Variant key_;
    com::Bstr name_;
    com::Variant tag_;
    ParentSlot parent_;
    short index_ = 0;
};

// The value a Key assignment stores: the argument itself, or an object's default
// value. Values without text (Null, arrays, errors) are refused with error 380.
com::Variant IconKeyOf(const VARIANT& argument);

}  // namespace vel::notifier
