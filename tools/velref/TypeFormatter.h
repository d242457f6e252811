#pragma once
// Type names as form code writes them (Long, String, VelListItem), read from type descriptions.
#include <windows.h>
#include <oaidl.h>
#include <string>

namespace vel::reference {

// The name of a type as form code writes it; a pointer is named by what it points to.
std::wstring TypeName(ITypeInfo* context, const TYPEDESC& type);
// A value of a constant (an enumeration member), as text.
std::wstring ValueText(const VARIANT& value);

}  // namespace vel::reference
