#pragma once
#include "Bstr.h"
#include "ComObject.h"
#include "DispatchImpl.h"
#include "SupportErrorInfo.h"
#include "Variant.h"
#include "VelRoster_h.h"

namespace vel::roster {

class VelColumnHeaders;

// One column of the list box: caption, width in pixels (shown to the host in
// container units), visibility, alignment, key, position and a free tag.
class VelColumnHeader
    : public com::ComObject<VelColumnHeader, com::DispatchImpl<::VelColumnHeader>, com::SupportErrorInfo> {
public:
    // Automation interface.
    STDMETHODIMP get_Text(BSTR* text) override;
    STDMETHODIMP put_Text(BSTR text) override;
    STDMETHODIMP get_Width(LONG* width) override;
    STDMETHODIMP put_Width(LONG width) override;
    STDMETHODIMP get_Visible(VARIANT_BOOL* visible) override;
    STDMETHODIMP put_Visible(VARIANT_BOOL visible) override;
    STDMETHODIMP get_Alignment(VelAlignmentConstants* alignment) override;
    STDMETHODIMP put_Alignment(VelAlignmentConstants alignment) override;
    STDMETHODIMP get_Index(LONG* index) override;
    STDMETHODIMP put_Index(LONG index) override;
    STDMETHODIMP get_Key(VARIANT* key) override;
    STDMETHODIMP put_Key(VARIANT key) override;
    STDMETHODIMP get_Tag(VARIANT* tag) override;
    STDMETHODIMP put_Tag(VARIANT tag) override;
    STDMETHODIMP get_Left(LONG* left) override;
    STDMETHODIMP get_Top(LONG* top) override;
    STDMETHODIMP get_Height(LONG* height) override;
    STDMETHODIMP get_SubItemIndex(LONG* subItemIndex) override;

    // Operations of the library.
    void SetParent(VelColumnHeaders* parent);
    VelColumnHeaders* Parent() const { return parent_; }
    const com::Bstr& TextValue() const { return text_; }
    void SetTextValue(com::Bstr text);
    void StoreText(com::Bstr text) { text_ = std::move(text); }
    long WidthValue() const;
    void SetWidthValue(long width);
    void SetInternalWidth(long pixels);
    void StoreInternalWidth(long pixels) { internalWidth_ = pixels; }
    long GetInternalWidth() const { return internalWidth_; }
    bool IsVisible() const { return visible_; }
    void SetVisibleValue(bool visible);
    long AlignmentValue() const { return alignment_; }
    void SetAlignmentValue(long alignment);
    void StoreAlignment(long alignment) { alignment_ = alignment; }
    const VARIANT& KeyValue() const { return key_.Get(); }
    void StoreKey(com::Variant key) { key_ = std::move(key); }
    void SetKeyValue(const VARIANT& key);
    long IndexValue() const { return index_; }
    void AssignIndex(long index) { index_ = index; }
    void SetIndexValue(long index);
    const VARIANT& TagValue() const { return tag_.Get(); }
    void SetDrawState(short state) { drawState_ = state; }
    short GetDrawState() const { return drawState_; }

    long LeftValue() const;
    long TopValue() const;
    long HeightValue() const;

private:
    void Notify(const wchar_t* property);
    short ScaleFactor() const;

    com::Bstr text_;
    long internalWidth_ = 100;
    bool visible_ = true;
    long index_ = 0;
    com::Variant key_;
    long alignment_ = velCenter;
    VelColumnHeaders* parent_ = nullptr;  // the owning collection while the column belongs to it
    short drawState_ = 0;
    short detachedScale_ = 1;  // the scale factor of the last collection, once removed from it
    com::Variant tag_;
};

}  // namespace vel::roster
