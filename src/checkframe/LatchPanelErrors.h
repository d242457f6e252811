#pragma once
#include "AutomationError.h"

namespace vel::checkframe {

// The errors the check frame library raises, with their numbers and texts.
struct LatchPanelErrors {
    static com::AutomationError InvalidPropertyValue();  // 380
    static com::AutomationError MouseIconNotIcon();      // 0x8004041B
};

}  // namespace vel::checkframe
