#pragma once
#include "ComObject.h"
#include "ConnectionPoint.h"
#include "DispatchImpl.h"
#include "KeyedSequence.h"
#include "MsgHookTypes.h"
#include "ProvideClassInfo.h"
#include "SupportErrorInfo.h"
#include "VelMessage.h"

namespace vel::msghook {

class MessagesListener;

// How a window's messages want one message number treated.
struct MessageLookup {
    bool found = false;
    bool processDefaultProc = false;
    long processType = 0;
};

// The keyed message numbers that a hook watches on one window.
class VelMessages
    : public com::ComObject<VelMessages, com::DispatchImpl<_VelMessages>, com::SupportErrorInfo,
                            com::ConnectionPointContainerImpl,
                            com::ProvideClassInfo<&CLSID_VelMessages, &DIID___VelMessages>> {
public:
    using Members = com::KeyedSequence<VelMessage>::Members;

    VelMessages();
    ~VelMessages() override;

    // Automation interface.
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(VARIANT index, ::VelMessage** message) override;
    STDMETHODIMP NewEnum(IUnknown** enumerator) override;
    STDMETHODIMP Add(VARIANT index, VARIANT key, VARIANT value, VARIANT text, VARIANT processDefaultProc,
                     VARIANT processType, ::VelMessage** message) override;
    STDMETHODIMP Remove(VARIANT index) override;
    STDMETHODIMP Clear() override;

    // The owning window hears every event first; it clears the listener before it goes.
    void SetListener(MessagesListener* listener) { listener_ = listener; }

    // Operations of the library (C++ callers).
    com::ComPtr<VelMessage> AddMessage(const VARIANT& index, const VARIANT& key, const VARIANT& value,
                                       const VARIANT& text, const VARIANT& processDefaultProc,
                                       const VARIANT& processType);
    void RemoveMessage(const VARIANT& index);
    void ClearMessages();
    com::ComPtr<VelMessage> MessageAt(const VARIANT& index) const;
    long Count() const { return messages_.Count(); }
    const Members& All() const { return messages_.All(); }

    long ToIndex(const VARIANT& value) const { return messages_.ToIndex(value); }
    long IndexOfKey(const VARIANT& key) const { return messages_.IndexOfKey(key); }
    bool KeyExists(const VARIANT& key) const { return messages_.KeyExists(key); }
    void Renumber() { messages_.Renumber(); }
    void NotifyChanged(VelMessage& message, const wchar_t* property);
    void SetWindowIndex(long index) { windowIndex_ = index; }
    long WindowIndex() const { return windowIndex_; }
    // Whether a message already uses the non-zero number `value`.
    bool ValueExists(long value) const;
    // The first message, in position order, whose number is `value`.
    MessageLookup FindMessage(long value) const;

    // Called by a message of this collection.
    void AssignKey(VelMessage& message, com::Variant key);

private:
    class SuppressChanged;
    void RaiseAdded(VelMessage& message);
    void RaiseRemoved(VelMessage* message);
    void RaiseChanged(VelMessage& message, const wchar_t* property);

    com::KeyedSequence<VelMessage> messages_;
    com::ConnectionPoint events_;
    MessagesListener* listener_ = nullptr;
    bool suppressChanged_ = false;
    long windowIndex_ = 0;
};

}  // namespace vel::msghook
