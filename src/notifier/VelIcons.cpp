#include "VelIcons.h"

#include <algorithm>

#include "Boundary.h"
#include "Convert.h"
#include "IconsListener.h"
#include "NotifierErrors.h"
#include "NotifierPages.h"
#include "SnapshotEnumerator.h"
#include "StandardObjects.h"

namespace vel::notifier {

using namespace com;
using hosting::PictureType;
using hosting::StandardObjects;

namespace {

const IID& kIid = __uuidof(_VelIcons);

enum EventId : DISPID { kAdded = 1, kRemoved = 2, kChanged = 3 };

::VelIcon* Out(const ComPtr<VelIcon>& icon) {
    return static_cast<::VelIcon*>(ComPtr<VelIcon>(icon).Detach());
}

VARIANT Omitted() {
    VARIANT missing{};
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    return missing;
}

const VARIANT& OrOmitted(const VARIANT* argument) {
    static const VARIANT missing = Omitted();
    return argument ? *argument : missing;
}

// Keeps `adding` set for the life of a scope; a failure on the way clears it.
class AddingScope {
public:
    explicit AddingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~AddingScope() { flag_ = false; }

private:
    bool& flag_;
};

// The picture an Add argument holds; Type mismatch for anything that is not one.
ComPtr<IPictureDisp> PictureArgument(const VARIANT& argument) {
    Variant value = Variant::Dereferenced(argument);
    IUnknown* object = nullptr;
    if (value.Type() == VT_DISPATCH) object = value.Get().pdispVal;
    if (value.Type() == VT_UNKNOWN) object = value.Get().punkVal;
    ComPtr<IPictureDisp> picture;
    if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&picture)))) throw NotifierErrors::ObjectRequired();
    return picture;
}

std::wstring Numbered(const wchar_t* name, long i) { return name + std::to_wstring(i); }

// A stored value as it was stored (a number stays a number); "" when absent.
Variant StoredOrBlank(hosting::PropertyBag& bag, const std::wstring& name) {
    Variant stored = bag.Read(name, Variant());
    return stored.Type() == VT_EMPTY ? Variant::FromString(L"") : stored;
}

}  // namespace

VelIcons::VelIcons() : events_(*this, DIID___VelIcons), self_(std::make_shared<VelIcons*>(this)) {
    RegisterConnectionPoint(events_);
}

// Entries the host still holds learn that their collection is gone.
VelIcons::~VelIcons() { *self_ = nullptr; }

// ---- automation interface

STDMETHODIMP VelIcons::NewEnum(IUnknown** enumerator) {
    VEL_CHECK_OUT(enumerator);
    *enumerator = nullptr;
    return Guarded(kIid, [&] {
        std::vector<Variant> snapshot;
        snapshot.reserve(items_.All().size());
        for (auto& icon : items_.All()) snapshot.push_back(Variant::FromDispatch(static_cast<::VelIcon*>(icon.Get())));
        auto created = Make<VariantEnumerator>(std::move(snapshot));
        *enumerator = created->Unknown();
        (*enumerator)->AddRef();
    });
}

STDMETHODIMP VelIcons::Add(VARIANT* index, VARIANT* key, VARIANT* icon, ::VelIcon** added) {
    VEL_CHECK_OUT(added);
    *added = nullptr;
    return Guarded(kIid, [&] { *added = Out(AddIcon(OrOmitted(index), OrOmitted(key), OrOmitted(icon))); });
}

STDMETHODIMP VelIcons::get_Item(VARIANT* index, ::VelIcon** item) {
    VEL_CHECK_OUT(item);
    *item = nullptr;
    return Guarded(kIid, [&] { *item = Out(ItemAt(OrOmitted(index))); });
}

STDMETHODIMP VelIcons::get_Count(LONG* count) {
    VEL_CHECK_OUT(count);
    *count = items_.Count();
    return S_OK;
}

STDMETHODIMP VelIcons::Remove(VARIANT* index) {
    return Guarded(kIid, [&] { RemoveIcon(OrOmitted(index)); });
}

STDMETHODIMP VelIcons::Clear() {
    return Guarded(kIid, [&] { ClearIcons(); });
}

// ---- entries

ComPtr<VelIcon> VelIcons::AddIcon(const VARIANT& index, const VARIANT& key, const VARIANT& icon) {
    try {
        return BuildIcon(index, key, icon);
    } catch (const AutomationError& error) {
        ShowMessage(error.Description(), MB_OK | MB_ICONINFORMATION);
        return nullptr;
    }
}

ComPtr<VelIcon> VelIcons::BuildIcon(const VARIANT& index, const VARIANT& key, const VARIANT& icon) {
    ComPtr<VelIcon> entry;
    {
        AddingScope adding(adding_);
        entry = Make<VelIcon>();
        entry->SetParent(self_);
        const bool insert = !IsOmitted(index);
        const long position = insert ? items_.ToIndex(index) : 0;
        if (!IsOmitted(key)) {
            Variant value = IconKeyOf(key);
            if (items_.KeyExists(value.Get())) throw NotifierErrors::KeyExists();
            entry->StoreKey(std::move(value));
        }
        if (!IsOmitted(icon)) {
            ComPtr<IPictureDisp> picture = PictureArgument(icon);
            if (StandardObjects::TypeOf(picture.Get()) != PictureType::Icon) {
                ShowMessage(L"Invalid icon.", MB_OK);
                return nullptr;
            }
            entry->SetIcon(picture.Get());
        }
        if (Count() >= kMaxCount) throw NotifierErrors::Overflow();
        if (!insert) {
            items_.Insert(Count() + 1, entry);
            entry->SetIndex(static_cast<short>(Count()));
        } else {
            if (!items_.ValidPosition(position)) throw NotifierErrors::NoSuchPosition();
            items_.Insert(position + 1, entry);
            items_.Renumber();
        }
        RaiseAdded(*entry.Get());
    }
    return entry;
}

ComPtr<VelIcon> VelIcons::ItemAt(const VARIANT& index) const {
    return items_.Find(index, NotifierErrors::IndexOutOfBounds());
}

void VelIcons::RemoveIcon(const VARIANT& index) {
    const long position = items_.ToIndex(index);
    if (!items_.ValidPosition(position)) throw NotifierErrors::NoSuchPosition();
    ComPtr<VelIcon> removed = items_.RemoveAt(position);
    items_.Renumber();
    RaiseRemoved(removed.Get());
}

void VelIcons::ClearIcons() {
    // The former entries are released after the event, unless the host holds them.
    auto former = items_.TakeAll();
    RaiseRemoved(nullptr);
}

HICON VelIcons::IconHandleAt(long position) const {
    VelIcon* icon = At(position);
    return icon ? icon->IconHandle() : nullptr;
}

void VelIcons::AssignKey(VelIcon& icon, Variant key) {
    if (items_.KeyExists(key.Get())) throw NotifierErrors::KeyExists();
    // Only a member's key is indexed; a removed entry just keeps its new key.
    if (At(icon.IndexValue()) == &icon) items_.ChangeKey(&icon, icon.KeyValue(), key.Get());
    icon.StoreKey(std::move(key));
}

void VelIcons::ShowMessage(std::wstring_view text, UINT style) {
    if (listener_) {
        listener_->ShowIconsMessage(text, style);
        return;
    }
    std::wstring message(text), title = ProgramTitle();
    MessageBoxW(nullptr, message.c_str(), title.c_str(), style);
}

// ---- events: each holds the collection and the entry it hands out

void VelIcons::RaiseAdded(VelIcon& icon) {
    ComPtr<VelIcons> self(this);
    ComPtr<VelIcon> hold(&icon);
    if (listener_) listener_->IconAdded(icon);
    events_.Fire(kAdded, {Variant::FromDispatch(static_cast<::VelIcon*>(&icon))});
}

void VelIcons::RaiseRemoved(VelIcon* icon) {
    ComPtr<VelIcons> self(this);
    ComPtr<VelIcon> hold(icon);
    if (listener_) listener_->IconRemoved(icon);
    events_.Fire(kRemoved, {Variant::FromDispatch(static_cast<::VelIcon*>(icon))});
}

void VelIcons::RaiseIconChanged(VelIcon& icon, const wchar_t* property) {
    if (adding_) return;
    ComPtr<VelIcons> self(this);
    ComPtr<VelIcon> hold(&icon);
    if (listener_) listener_->IconChanged(icon, property);
    events_.Fire(kChanged, {Variant::FromDispatch(static_cast<::VelIcon*>(&icon)), Variant::FromString(property)});
}

// ---- persistence

void VelIcons::WriteToBag(hosting::PropertyBag& bag) const {
    bag.WriteLong(L"IconCount", Count(), 0);
    for (long i = 1; i <= Count(); ++i) {
        VelIcon& icon = *items_.At(i);
        bag.Write(Numbered(L"IconTag", i), Variant(icon.TagValue()), Variant::FromString(L""));
        bag.WriteString(Numbered(L"IconName", i), icon.NameValue().View(), L"");
        bag.Write(Numbered(L"IconKey", i), Variant(icon.KeyValue()), Variant::FromString(L""));
        bag.WriteObject(Numbered(L"Icon#", i), icon.Picture());
    }
}

void VelIcons::RequireReadable(hosting::PropertyBag& bag) const {
    bag.RequireReadable(L"IconCount", VT_I4);
    long count = std::clamp(bag.ReadLong(L"IconCount", 0), 0L, kMaxCount - Count());
    for (long i = 1; i <= count; ++i) bag.RequireReadable(Numbered(L"IconName", i), VT_BSTR);
}

// A stored count outside 0..32767 is cut to that range. An entry whose picture is
// missing or unreadable stays without one; a stored key that clashes with an earlier
// one is dropped. Every such repair is answered for the owner to report.
std::vector<std::wstring> VelIcons::ReadFromBag(hosting::PropertyBag& bag) {
    std::vector<std::wstring> problems;
    long count = bag.ReadLong(L"IconCount", 0);
    if (count < 0 || count > kMaxCount - Count()) {
        long kept = count < 0 ? 0 : kMaxCount - Count();
        problems.push_back(L"IconCount " + std::to_wstring(count) + L" is out of range; " + std::to_wstring(kept) +
                           L" icons are read.");
        count = kept;
    }
    long missingPictures = 0;
    for (long i = 1; i <= count; ++i) {
        size_t before = problems.size();
        ReadEntry(bag, i, problems);
        if (problems.size() > before && problems.back().empty()) {
            problems.pop_back();
            ++missingPictures;
        }
    }
    if (missingPictures > 0)
        problems.push_back(std::to_wstring(missingPictures) + L" icons have no stored picture and are left empty.");
    return problems;
}

// Reads entry i; an empty problem line stands for a missing picture (they are counted).
void VelIcons::ReadEntry(hosting::PropertyBag& bag, long i, std::vector<std::wstring>& problems) {
    ComPtr<VelIcon> icon = BuildIcon(Omitted(), Omitted(), Omitted());
    if (!icon) return;
    icon->SetTag(StoredOrBlank(bag, Numbered(L"IconTag", i)).Get());
    try {
        icon->SetKey(StoredOrBlank(bag, Numbered(L"IconKey", i)).Get());
    } catch (const AutomationError& error) {
        problems.push_back(L"Icon " + std::to_wstring(i) + L": key dropped: " + error.Description());
    }
    icon->SetName(bag.ReadString(Numbered(L"IconName", i), L""));
    Variant stored = bag.Read(Numbered(L"Icon#", i), Variant());
    if (stored.Type() == VT_EMPTY) {
        problems.emplace_back();
        return;
    }
    try {
        if (stored.Type() != VT_DISPATCH && stored.Type() != VT_UNKNOWN) throw NotifierErrors::InvalidValue();
        ComPtr<IPictureDisp> picture;
        IUnknown* object = stored.Type() == VT_DISPATCH ? stored.Get().pdispVal : stored.Get().punkVal;
        if (object && FAILED(object->QueryInterface(IID_PPV_ARGS(&picture)))) throw NotifierErrors::InvalidValue();
        icon->SetIcon(picture.Get());
    } catch (const AutomationError& error) {
        problems.push_back(L"Icon " + std::to_wstring(i) + L": picture not loaded: " + error.Description());
    }
}

}  // namespace vel::notifier
