#include "HookErrors.h"

namespace vel::msghook {

using namespace com;

AutomationError HookErrors::IndexOutOfBounds() { return MakeLibraryError(1053, L"Index out of bounds."); }
AutomationError HookErrors::KeyExists() { return MakeLibraryError(1051, L"Key already exists."); }
AutomationError HookErrors::MessageExists() { return MakeLibraryError(1051, L"Message already exists."); }

AutomationError HookErrors::NoWindowToSubclass() {
    return MakeLibraryError(
        1051, L"No windows have been subclassed. MsgHook needs the hWnd of at least one window to subclass.");
}

AutomationError HookErrors::InvalidKey() { return MakeStandardError(StandardError::InvalidPropertyValue); }

}  // namespace vel::msghook
