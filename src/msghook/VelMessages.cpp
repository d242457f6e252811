#include "VelMessages.h"

#include "Boundary.h"
#include "Convert.h"
#include "HookErrors.h"
#include "MemberValues.h"
#include "MessagesListener.h"
#include "SnapshotEnumerator.h"

namespace vel::msghook {

using namespace com;

namespace {

const IID& kIid = __uuidof(_VelMessages);

enum EventId : DISPID { kAdded = 1, kRemoved = 2, kChanged = 3 };

::VelMessage* Out(const ComPtr<VelMessage>& message) {
    return static_cast<::VelMessage*>(ComPtr<VelMessage>(message).Detach());
}

Variant DispatchOf(VelMessage* message) { return Variant::FromDispatch(static_cast<::VelMessage*>(message)); }

}  // namespace

// Holds suppressChanged for the life of a scope; a failure on the way releases it.
class VelMessages::SuppressChanged {
public:
    explicit SuppressChanged(VelMessages& messages) : messages_(messages) { messages_.suppressChanged_ = true; }
    ~SuppressChanged() { messages_.suppressChanged_ = false; }

private:
    VelMessages& messages_;
};

VelMessages::VelMessages() : events_(*this, DIID___VelMessages) { RegisterConnectionPoint(events_); }

VelMessages::~VelMessages() {
    for (auto& message : messages_.All()) message->SetParent(nullptr);
}

// ---- automation interface

STDMETHODIMP VelMessages::get_Count(LONG* count) {
    VEL_CHECK_OUT(count);
    *count = messages_.Count();
    return S_OK;
}

STDMETHODIMP VelMessages::get_Item(VARIANT index, ::VelMessage** message) {
    VEL_CHECK_OUT(message);
    *message = nullptr;
    return Guarded(kIid, [&] { *message = Out(MessageAt(index)); });
}

STDMETHODIMP VelMessages::NewEnum(IUnknown** enumerator) {
    VEL_CHECK_OUT(enumerator);
    *enumerator = nullptr;
    return Guarded(kIid, [&] {
        std::vector<Variant> snapshot;
        snapshot.reserve(messages_.All().size());
        for (auto& message : messages_.All()) snapshot.push_back(DispatchOf(message.Get()));
        auto created = Make<VariantEnumerator>(std::move(snapshot));
        *enumerator = created->Unknown();
        (*enumerator)->AddRef();
    });
}

STDMETHODIMP VelMessages::Add(VARIANT index, VARIANT key, VARIANT value, VARIANT text, VARIANT processDefaultProc,
                              VARIANT processType, ::VelMessage** message) {
    VEL_CHECK_OUT(message);
    *message = nullptr;
    return Guarded(kIid, [&] {
        *message = Out(AddMessage(index, key, value, text, processDefaultProc, processType));
    });
}

STDMETHODIMP VelMessages::Remove(VARIANT index) {
    return Guarded(kIid, [&] { RemoveMessage(index); });
}

STDMETHODIMP VelMessages::Clear() {
    return Guarded(kIid, [&] { ClearMessages(); });
}

// ---- messages

ComPtr<VelMessage> VelMessages::MessageAt(const VARIANT& index) const {
    return messages_.Find(index, HookErrors::IndexOutOfBounds());
}

ComPtr<VelMessage> VelMessages::AddMessage(const VARIANT& index, const VARIANT& key, const VARIANT& value,
                                           const VARIANT& text, const VARIANT& processDefaultProc,
                                           const VARIANT& processType) {
    ComPtr<VelMessage> message;
    {
        SuppressChanged suppress(*this);
        message = Make<VelMessage>();
        message->SetParent(this);
        const bool insert = !IsOmitted(index);
        const long position = insert ? messages_.ToIndex(index) : Count() + 1;
        if (!IsOmitted(key)) {
            Variant stored = KeyArgument(key);
            if (messages_.KeyExists(stored.Get())) throw HookErrors::KeyExists();
            message->StoreKey(std::move(stored));
        }
        if (!IsOmitted(value)) {
            const long number = ToLong(value);
            if (ValueExists(number)) throw HookErrors::MessageExists();
            message->StoreValue(number);
        }
        if (!IsOmitted(text)) message->StoreText(ToText(text));
        if (!IsOmitted(processDefaultProc)) message->StoreProcessDefaultProc(ToBool(processDefaultProc));
        if (!IsOmitted(processType)) message->StoreProcessType(ToLong(processType));
        if (insert && !messages_.ValidPosition(position)) Raise(StandardError::SubscriptOutOfRange);
        messages_.Insert(position, message);
        messages_.Renumber();
    }
    RaiseAdded(*message.Get());
    return message;
}

void VelMessages::RemoveMessage(const VARIANT& index) {
    const long position = messages_.ToIndex(index);
    if (!messages_.ValidPosition(position)) throw HookErrors::IndexOutOfBounds();
    ComPtr<VelMessage> removed = messages_.RemoveAt(position);
    removed->SetParent(nullptr);
    messages_.Renumber();
    RaiseRemoved(removed.Get());
}

void VelMessages::ClearMessages() {
    Members former = messages_.TakeAll();
    for (auto& message : former) message->SetParent(nullptr);
    RaiseRemoved(nullptr);
}

void VelMessages::NotifyChanged(VelMessage& message, const wchar_t* property) {
    if (!suppressChanged_) RaiseChanged(message, property);
}

bool VelMessages::ValueExists(long value) const {
    if (value == 0) return false;
    for (auto& message : messages_.All()) {
        if (message->MessageNumber() == value) return true;
    }
    return false;
}

MessageLookup VelMessages::FindMessage(long value) const {
    for (auto& message : messages_.All()) {
        if (message->MessageNumber() == value)
            return {true, message->ProcessesDefaultProc(), message->ProcessingType()};
    }
    return {};
}

// The uniqueness check comes first, so a message given its own non-blank key fails;
// an unchanged (blank) key is not reported.
void VelMessages::AssignKey(VelMessage& message, Variant key) {
    if (messages_.KeyExists(key.Get())) throw HookErrors::KeyExists();
    if (!ValueDiffers(message.KeyValue(), key.Get())) return;
    messages_.ChangeKey(&message, message.KeyValue(), key.Get());
    message.StoreKey(std::move(key));
    NotifyChanged(message, L"Key");
}

// ---- events: each holds the collection and the message it hands out

void VelMessages::RaiseAdded(VelMessage& message) {
    ComPtr<VelMessages> self(this);
    ComPtr<VelMessage> hold(&message);
    if (listener_) listener_->MessageAdded(message);
    events_.Fire(kAdded, {DispatchOf(&message)});
}

void VelMessages::RaiseRemoved(VelMessage* message) {
    ComPtr<VelMessages> self(this);
    ComPtr<VelMessage> hold(message);
    if (listener_) listener_->MessageRemoved(message);
    events_.Fire(kRemoved, {DispatchOf(message)});
}

void VelMessages::RaiseChanged(VelMessage& message, const wchar_t* property) {
    ComPtr<VelMessages> self(this);
    ComPtr<VelMessage> hold(&message);
    if (listener_) listener_->MessageChanged(message, property);
    events_.Fire(kChanged, {DispatchOf(&message), Variant::FromString(property)});
}

}  // namespace vel::msghook
