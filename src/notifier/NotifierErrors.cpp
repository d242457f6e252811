#include "NotifierErrors.h"

namespace vel::notifier {

using namespace com;

AutomationError NotifierErrors::IndexOutOfBounds() { return MakeLibraryError(1053, L"Index out of bounds."); }
AutomationError NotifierErrors::KeyExists() { return MakePlainError(50001, L"Key already exists."); }
AutomationError NotifierErrors::InvalidValue() { return MakeStandardError(StandardError::InvalidPropertyValue); }
AutomationError NotifierErrors::NoSuchPosition() { return MakeStandardError(StandardError::SubscriptOutOfRange); }
AutomationError NotifierErrors::Overflow() { return MakeStandardError(StandardError::Overflow); }
AutomationError NotifierErrors::ObjectRequired() { return MakeStandardError(StandardError::TypeMismatch); }

}  // namespace vel::notifier
