#pragma once
#include <windows.h>
#include <oaidl.h>

namespace vel::com {

// ITypeInfo::Invoke with the argument count checked against the member's declaration
// first. The system's Invoke takes arguments beyond the declared ones as the arguments
// of the returned object's default member, and reads a null object when the member
// returns Nothing; here a surplus is forwarded only to a returned object, and answers
// DISP_E_BADPARAMCOUNT otherwise, whatever the member's value. A VT_UNKNOWN given for an
// object parameter is passed on as the declared interface, so that no reference taken
// for the conversion is left behind.
class CheckedInvoke {
public:
    static HRESULT Invoke(ITypeInfo* info, void* instance, DISPID id, WORD flags, DISPPARAMS* params,
                          VARIANT* result, EXCEPINFO* exception, UINT* argError);
};

}  // namespace vel::com
