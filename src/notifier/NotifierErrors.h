#pragma once
#include "AutomationError.h"

namespace vel::notifier {

// The errors the notifier library raises, with their numbers and texts.
struct NotifierErrors {
    static com::AutomationError IndexOutOfBounds();  // 0x8004041D
    static com::AutomationError KeyExists();         // 50001
    static com::AutomationError InvalidValue();      // 380
    static com::AutomationError NoSuchPosition();    // 9
    static com::AutomationError Overflow();          // 6
    static com::AutomationError ObjectRequired();    // 13, an argument that is not a picture
};

}  // namespace vel::notifier
