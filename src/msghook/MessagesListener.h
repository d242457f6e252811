#pragma once
#include <string_view>

namespace vel::msghook {

class VelMessage;

// What the window owning a VelMessages hears, before the collection's COM sinks do.
class MessagesListener {
public:
    virtual void MessageAdded(VelMessage& message) = 0;
    // `message` is nullptr after Clear.
    virtual void MessageRemoved(VelMessage* message) = 0;
    virtual void MessageChanged(VelMessage& message, std::wstring_view property) = 0;

protected:
    ~MessagesListener() = default;
};

}  // namespace vel::msghook
