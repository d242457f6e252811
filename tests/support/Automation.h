#pragma once
// Late-bound calls by name, as a script makes them, for tests and benchmarks.
#include <windows.h>
#include <oaidl.h>
#include <string>
#include <vector>
#include <wrl/client.h>

#include "Variant.h"

namespace vel::test {

using Microsoft::WRL::ComPtr;
using com::Variant;

// What one late-bound call gave: its HRESULT, result, and the error's text and source.
struct CallResult {
    HRESULT hr = S_OK;
    Variant value;
    std::wstring description;
    std::wstring source;
    bool Ok() const { return SUCCEEDED(hr); }
};

// Resolves `name` with GetIDsOfNames and calls Invoke with `flags`; `arguments` are in
// declaration order. A Variant that IsMissing() stands for an omitted argument.
CallResult Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<Variant> arguments = {});

CallResult Get(IDispatch* object, const wchar_t* name, std::vector<Variant> arguments = {});
CallResult Put(IDispatch* object, const wchar_t* name, Variant value, std::vector<Variant> arguments = {});
CallResult Call(IDispatch* object, const wchar_t* name, std::vector<Variant> arguments = {});

// Argument helpers.
Variant Missing();
Variant Str(const wchar_t* text);
Variant Num(long value);
Variant Dbl(double value);
Variant Obj(IDispatch* object);
Variant Null();

// The object a result holds (nullptr for Nothing or a failed call).
ComPtr<IDispatch> AsObject(const CallResult& result);
long AsLong(const CallResult& result);
std::wstring AsText(const CallResult& result);
ComPtr<IDispatch> AsObject(const Variant& value);
long AsLong(const Variant& value);
std::wstring AsText(const Variant& value);

}  // namespace vel::test
