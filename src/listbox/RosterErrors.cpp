#include "RosterErrors.h"

namespace vel::roster {

using namespace com;

AutomationError RosterErrors::IndexOutOfBounds() { return MakeLibraryError(1053, L"Index out of bounds."); }
AutomationError RosterErrors::ColumnKeyExists() { return MakeLibraryError(1051, L"Key already exists."); }
AutomationError RosterErrors::ColumnIndexReadOnly() { return MakeLibraryError(1050, L"Index is Read-only at runtime."); }
AutomationError RosterErrors::WidthNotPositive() { return MakeLibraryError(1052, L"Width must be greater than 0."); }
AutomationError RosterErrors::ItemKeyExists() { return MakePlainError(50001, L"Key already exists."); }
AutomationError RosterErrors::ItemIndexReadOnly() { return MakePlainError(50000, L"Index is Read-only at runtime."); }
AutomationError RosterErrors::InvalidKey() { return MakeStandardError(StandardError::InvalidPropertyValue); }

}  // namespace vel::roster
