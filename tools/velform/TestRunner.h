#pragma once
#include <string>

#include "BagFile.h"
#include "ControlLibraries.h"
#include "FormFile.h"

namespace velform {

// Runs every `Sub Test_*` of a form file in order, each on a fresh form and
// engine, prints "PASS name" or "FAIL name: why" for each and a closing
// "N passed, N failed" line. A test also fails when its closed form left objects of
// the controls' libraries alive. Answers how many passed and failed.
class TestRunner {
public:
    struct Counts {
        int passed = 0, failed = 0;
    };

    TestRunner(const FormFile& file, FormBags initial) : file_(file), initial_(std::move(initial)) {}
    Counts Run() const;

private:
    // The reason the test failed, or an empty string when it passed.
    std::wstring RunOne(const std::wstring& test) const;
    // Why the controls' libraries are not free after a test, or an empty string.
    static std::wstring Unreleased(const ControlLibraries& libraries);

    const FormFile& file_;
    FormBags initial_;
};

}  // namespace velform
