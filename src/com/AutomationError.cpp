#include "AutomationError.h"

#include <oleauto.h>
#include <wrl/client.h>

#include "Bstr.h"
#include "Module.h"

using Microsoft::WRL::ComPtr;

namespace vel::com {

HRESULT AutomationError::Report(REFIID iid) const {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(Module::ErrorSource()));
        create->SetDescription(const_cast<LPOLESTR>(description_.c_str()));
        create->SetHelpFile(const_cast<LPOLESTR>(Module::HelpFile().c_str()));
        create->SetHelpContext(0);
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
    }
    return hr_;
}

HRESULT RuntimeErrorResult(int number) { return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number); }

AutomationError MakeStandardError(StandardError error) {
    const wchar_t* text = L"Application-defined or object-defined error";
    switch (error) {
        case StandardError::Overflow: text = L"Overflow"; break;
        case StandardError::OutOfMemory: text = L"Out of memory"; break;
        case StandardError::SubscriptOutOfRange: text = L"Subscript out of range"; break;
        case StandardError::DivisionByZero: text = L"Division by zero"; break;
        case StandardError::TypeMismatch: text = L"Type mismatch"; break;
        case StandardError::InvalidUseOfNull: text = L"Invalid use of Null"; break;
        case StandardError::InvalidPropertyValue: text = L"Invalid property value"; break;
    }
    return AutomationError(RuntimeErrorResult(static_cast<int>(error)), text);
}

AutomationError MakeLibraryError(int offset, std::wstring description) {
    return AutomationError(static_cast<HRESULT>(0x80040000u + static_cast<unsigned>(offset)), std::move(description));
}

AutomationError MakePlainError(int number, std::wstring description) {
    return AutomationError(RuntimeErrorResult(number), std::move(description));
}

void Raise(StandardError error) { throw MakeStandardError(error); }
void Raise(const AutomationError& error) { throw error; }

}  // namespace vel::com
