#pragma once
// Type names as form code writes them (Long, String, VelListItem), read from type descriptions.
#include <windows.h>
#include <oaidl.h>
#include <optional>
#include <string>
#include <wrl/client.h>

namespace vel::reference {

// The name of a type as form code writes it; a pointer is named by what it points to.
// Nothing when the type has no such name or a referenced type cannot be loaded.
std::optional<std::wstring> TypeName(ITypeInfo* context, const TYPEDESC& type);
// The type a user-defined type (or a pointer to one) refers to; null for any other type.
Microsoft::WRL::ComPtr<ITypeInfo> Referenced(ITypeInfo* context, const TYPEDESC& type);
// A value of a constant (an enumeration member), as text.
std::wstring ValueText(const VARIANT& value);

}  // namespace vel::reference
