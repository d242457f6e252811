#pragma once
#include "AutomationError.h"

namespace vel::msghook {

// The errors the message hook and its collections raise, with their numbers and texts.
struct HookErrors {
    static com::AutomationError IndexOutOfBounds();      // 0x8004041D
    static com::AutomationError KeyExists();             // 0x8004041B
    static com::AutomationError MessageExists();         // 0x8004041B
    static com::AutomationError NoWindowToSubclass();    // 0x8004041B
    static com::AutomationError InvalidKey();            // 380
};

}  // namespace vel::msghook
