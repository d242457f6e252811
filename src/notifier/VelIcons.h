#pragma once
#include <string>
#include <vector>

#include "ComObject.h"
#include "ConnectionPoint.h"
#include "DispatchImpl.h"
#include "KeyedSequence.h"
#include "PropertyBag.h"
#include "ProvideClassInfo.h"
#include "SupportErrorInfo.h"
#include "VelIcon.h"
#include "VelNotifier_h.h"

namespace vel::notifier {

class IconsListener;

// The ordered, keyed pictures the notifier animates through, positions 1 to Count
// (at most 32767). Add inserts after the position it is given, reports its failures
// in a message box instead of raising them, and renumbers without events.
class VelIcons : public com::ComObject<VelIcons, com::DispatchImpl<_VelIcons>, com::SupportErrorInfo,
                                       com::ConnectionPointContainerImpl,
                                       com::ProvideClassInfo<&CLSID_VelIcons, &DIID___VelIcons>> {
public:
    static constexpr long kMaxCount = 32767;

    VelIcons();
    ~VelIcons() override;

    // Automation interface.
    STDMETHODIMP NewEnum(IUnknown** enumerator) override;
    STDMETHODIMP Add(VARIANT* index, VARIANT* key, VARIANT* icon, ::VelIcon** added) override;
    STDMETHODIMP get_Item(VARIANT* index, ::VelIcon** item) override;
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Remove(VARIANT* index) override;
    STDMETHODIMP Clear() override;

    // The owner hears every event first and shows the message boxes; it clears the
    // listener before it goes.
    void SetListener(IconsListener* listener) { listener_ = listener; }

    // Operations of the library (C++ callers). AddIcon shows its failure and answers nullptr.
    com::ComPtr<VelIcon> AddIcon(const VARIANT& index, const VARIANT& key, const VARIANT& icon);
    com::ComPtr<VelIcon> ItemAt(const VARIANT& index) const;
    void RemoveIcon(const VARIANT& index);
    void ClearIcons();
    long Count() const { return items_.Count(); }
    // The entry at a position, or nullptr outside 1..Count.
    VelIcon* At(long position) const { return items_.ValidPosition(position) ? items_.At(position) : nullptr; }
    // The icon handle at a position; nullptr where there is no entry or no picture.
    HICON IconHandleAt(long position) const;

    long ToIndex(const VARIANT& value) const { return items_.ToIndex(value); }
    bool KeyExists(const VARIANT& key) const { return items_.KeyExists(key); }
    void AssignKey(VelIcon& icon, com::Variant key);
    void RaiseIconChanged(VelIcon& icon, const wchar_t* property);

    // Persistence in the notifier's property bag. Reading appends what it can and
    // answers what it could not read, one line per problem.
    void WriteToBag(hosting::PropertyBag& bag) const;
    std::vector<std::wstring> ReadFromBag(hosting::PropertyBag& bag);
    // Raises error 380 when the count or a name of the entries ReadFromBag would read
    // cannot be read as a number or a text; reads nothing into the collection.
    void RequireReadable(hosting::PropertyBag& bag) const;

private:
    com::ComPtr<VelIcon> BuildIcon(const VARIANT& index, const VARIANT& key, const VARIANT& icon);
    void ShowMessage(std::wstring_view text, UINT style);
    void ReadEntry(hosting::PropertyBag& bag, long i, std::vector<std::wstring>& problems);
    void RaiseAdded(VelIcon& icon);
    void RaiseRemoved(VelIcon* icon);

    com::KeyedSequence<VelIcon> items_;
    com::ConnectionPoint events_;
    IconsListener* listener_ = nullptr;
    VelIcon::ParentSlot self_;
    bool adding_ = false;
};

}  // namespace vel::notifier
