#pragma once
#include <windows.h>
#include <string>

namespace vel::com {

// An automation error on its way to the caller: an HRESULT and its description.
// Thrown inside the runtime and the models; turned into a returned HRESULT with
// IErrorInfo at the interface boundary (see Boundary.h).
class AutomationError {
public:
    AutomationError(HRESULT hr, std::wstring description) : hr_(hr), description_(std::move(description)) {}
    HRESULT Result() const { return hr_; }
    const std::wstring& Description() const { return description_; }

    // Sets the thread's error object (source: the library's title; help file: the
    // library's) for an error raised through the interface `iid`, and returns the HRESULT.
    HRESULT Report(REFIID iid) const;

private:
    HRESULT hr_;
    std::wstring description_;
};

// The run-time errors of OLE Automation callers, as HRESULT 0x800A0000 + number.
enum class StandardError : int {
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InvalidUseOfNull = 94,
    InvalidPropertyValue = 380,
};

HRESULT RuntimeErrorResult(int number);
AutomationError MakeStandardError(StandardError error);
// A library error numbered from the automation error base 0x80040000.
AutomationError MakeLibraryError(int offset, std::wstring description);
// A plain error number as a script sees it (0x800A0000 + number).
AutomationError MakePlainError(int number, std::wstring description);

[[noreturn]] void Raise(StandardError error);
[[noreturn]] void Raise(const AutomationError& error);

}  // namespace vel::com
