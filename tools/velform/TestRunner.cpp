#include "TestRunner.h"

#include <cstdio>

#include "ControlLibraries.h"
#include "FormError.h"
#include "FormSession.h"

namespace velform {
namespace {

std::wstring Describe(const std::optional<ScriptFailure>& failure) {
    if (!failure) return L"the code failed";
    std::wstring where = failure->line ? L"line " + std::to_wstring(failure->line) + L": " : L"";
    return where + failure->message;
}

}  // namespace

std::wstring TestRunner::RunOne(const std::wstring& test) const {
    try {
        FormJournal journal(true);
        FormSession session(file_, journal, initial_, true);
        if (session.Start() && session.Call(test)) return L"";
        return Describe(session.Failure());
    } catch (const FormError& error) {
        return error.Message();
    }
}

// Once the form is gone, nothing of its controls may be left alive.
std::wstring TestRunner::Unreleased(const ControlLibraries& libraries) {
    FormSession::PumpMessages(0);
    std::wstring names;
    for (auto& library : libraries.StillInUse()) names += (names.empty() ? L"" : L", ") + library;
    return names.empty() ? L"" : L"objects of " + names + L" are still alive after the form closed";
}

TestRunner::Counts TestRunner::Run() const {
    int passed = 0, failed = 0;
    ControlLibraries libraries(file_);
    for (auto& test : file_.TestNames()) {
        std::wstring failure = RunOne(test);
        std::wstring leak = Unreleased(libraries);
        if (!leak.empty()) failure += (failure.empty() ? L"" : L"; ") + leak;
        if (failure.empty()) {
            ++passed;
            std::fwprintf(stdout, L"PASS %ls\n", test.c_str());
        } else {
            ++failed;
            std::fwprintf(stdout, L"FAIL %ls: %ls\n", test.c_str(), failure.c_str());
        }
        std::fflush(stdout);
    }
    std::fwprintf(stdout, L"%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return {passed, failed};
}

}  // namespace velform
