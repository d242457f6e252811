// velform: the form host. Shows a form, or runs its tests with /test.
//   velform [/design] [/screenshot file.bmp] [/accessible file.txt] [/pages ControlName] [/ready file] form.vbs
//   (/accessible: the accessible tree of each control and the events of a few key presses)
//   velform /test form.vbs [more.vbs ...]
#include <windows.h>
#include <ole2.h>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "AccessibleReport.h"
#include "BagFile.h"
#include "FormError.h"
#include "FormSession.h"
#include "Module.h"
#include "OleThread.h"
#include "PropertyFrame.h"
#include "Screenshot.h"
#include "TestRunner.h"

namespace vel::com {
const wchar_t* LibraryTitle() { return L"VelForm"; }
}  // namespace vel::com

namespace velform {
namespace {

struct Options {
    bool test = false;
    bool design = false;
    std::wstring screenshot;
    std::wstring accessible;
    std::wstring pages;
    std::wstring ready;
    // One form to show, or the forms whose tests run one after the other.
    std::vector<std::wstring> forms;
};

std::optional<Options> ParseCommandLine(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::wstring word = argv[i];
        if (lstrcmpiW(word.c_str(), L"/test") == 0) {
            options.test = true;
        } else if (lstrcmpiW(word.c_str(), L"/design") == 0) {
            options.design = true;
        } else if (lstrcmpiW(word.c_str(), L"/screenshot") == 0 && i + 1 < argc) {
            options.screenshot = argv[++i];
        } else if (lstrcmpiW(word.c_str(), L"/accessible") == 0 && i + 1 < argc) {
            options.accessible = argv[++i];
        } else if (lstrcmpiW(word.c_str(), L"/pages") == 0 && i + 1 < argc) {
            options.pages = argv[++i];
        } else if (lstrcmpiW(word.c_str(), L"/ready") == 0 && i + 1 < argc) {
            options.ready = argv[++i];
        } else if (word.rfind(L"/", 0) != 0) {
            options.forms.push_back(word);
        } else {
            return std::nullopt;
        }
    }
    if (options.forms.empty() || (!options.test && options.forms.size() > 1)) return std::nullopt;
    return options;
}

FormBags InitialProperties(const FormFile& file) {
    std::wstring path = file.PropertiesPath();
    if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    return BagFile::Read(path);
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

// Paints the form and every control in it now, then writes an empty file: a script that
// started velform waits for it instead of guessing how long loading takes.
void SignalPainted(HWND form, const std::wstring& path) {
    FormSession::PumpMessages(0);
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::ofstream(path.c_str(), std::ios::binary);
}

int ShowForm(const FormFile& file, const Options& options) {
    FormJournal journal(false);
    FormSession session(file, journal, InitialProperties(file), !options.design);
    if (!session.Start()) {
        auto& failure = session.Failure();
        std::fwprintf(stderr, L"%ls: line %lu: %ls\n", file.Path().c_str(), failure ? failure->line : 0,
                      failure ? failure->message.c_str() : L"the code failed");
        return 1;
    }
    if (!options.pages.empty()) {
        if (ControlSite* site = session.GetForm().Find(options.pages)) session.GetForm().ShowPropertyFrame(*site);
    }
    if (!options.screenshot.empty()) {
        FormSession::PumpMessages(500);
        Screenshot::Save(session.GetForm().FormWindow(), options.screenshot);
        return 0;
    }
    if (!options.accessible.empty()) {
        FormSession::PumpMessages(500);
        AccessibleReport::Write(session.GetForm(), options.accessible);
        return 0;
    }
    if (!options.ready.empty()) SignalPainted(session.GetForm().FormWindow(), options.ready);
    return RunMessageLoop();
}

// The tests of one form; a form that cannot be loaded counts as one failed test.
TestRunner::Counts TestForm(const std::wstring& path) {
    try {
        FormFile file = FormFile::Load(path);
        return TestRunner(file, InitialProperties(file)).Run();
    } catch (const FormError& error) {
        std::fwprintf(stderr, L"velform: %ls\n", error.Message().c_str());
        std::fwprintf(stdout, L"0 passed, 1 failed\n");
        std::fflush(stdout);
        return {0, 1};
    }
}

// Several forms run in one process, one after the other, each test still on a fresh form
// and engine: starting a program costs far more than a test where Wine runs emulated.
int TestForms(const std::vector<std::wstring>& forms) {
    TestRunner::Counts total;
    for (auto& path : forms) {
        if (forms.size() > 1) std::fwprintf(stdout, L"== %ls\n", path.c_str());
        const TestRunner::Counts counts = TestForm(path);
        total.passed += counts.passed;
        total.failed += counts.failed;
    }
    if (forms.size() > 1) std::fwprintf(stdout, L"total: %d passed, %d failed\n", total.passed, total.failed);
    std::fflush(stdout);
    return total.failed == 0 ? 0 : 1;
}

int Run(const Options& options) {
    if (options.test) return TestForms(options.forms);
    return ShowForm(FormFile::Load(options.forms.front()), options);
}

}  // namespace
}  // namespace velform

int wmain(int argc, wchar_t** argv) {
    using namespace velform;
    auto options = ParseCommandLine(argc, argv);
    if (!options) {
        std::fwprintf(stderr, L"usage: velform [/design] [/screenshot file.bmp] [/accessible file.txt] [/pages Control] [/ready file] form.vbs\n"
                              L"       velform /test form.vbs [more.vbs ...]\n");
        return 2;
    }
    vel::com::OleThread ole;
    try {
        return Run(*options);
    } catch (const FormError& error) {
        std::fwprintf(stderr, L"velform: %ls\n", error.Message().c_str());
        std::fwprintf(stdout, L"0 passed, 1 failed\n");
        return 1;
    }
}
