#include "LatchPanelErrors.h"

namespace vel::checkframe {

using namespace com;

AutomationError LatchPanelErrors::InvalidPropertyValue() { return MakeStandardError(StandardError::InvalidPropertyValue); }

AutomationError LatchPanelErrors::MouseIconNotIcon() {
    return MakeLibraryError(1051, L"MouseIcon only accepts a picture of type icon or cursor.");
}

}  // namespace vel::checkframe
