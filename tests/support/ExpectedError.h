#pragma once
// The check that a late-bound call failed as the library raises its errors.
#include <gtest/gtest.h>

#include <string>

#include "Automation.h"
#include "Module.h"

namespace vel::test {

// The errors every library raises from its collections.
constexpr HRESULT kOutOfBounds = static_cast<HRESULT>(0x8004041D);
constexpr HRESULT kSubscript = static_cast<HRESULT>(0x800A0009);

// An automation error with this HRESULT, text and the library under test as source.
inline ::testing::AssertionResult Fails(const CallResult& r, HRESULT hr, const wchar_t* text) {
    if (r.Ok()) return ::testing::AssertionFailure() << "call succeeded";
    if (r.hr != hr) return ::testing::AssertionFailure() << std::hex << "hr 0x" << r.hr << " instead of 0x" << hr;
    if (r.description != text)
        return ::testing::AssertionFailure() << "text \"" << std::string(r.description.begin(), r.description.end())
                                             << "\"";
    if (r.source != com::LibraryTitle()) return ::testing::AssertionFailure() << "source is not the library";
    return ::testing::AssertionSuccess();
}

}  // namespace vel::test
