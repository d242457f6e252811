// velform: the form host. Shows a form, or runs its tests with /test.
//   velform [/design] [/screenshot file.bmp] [/pages ControlName] [/ready file] form.vbs
//   velform /test form.vbs
#include <windows.h>
#include <ole2.h>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "BagFile.h"
#include "FormError.h"
#include "FormSession.h"
#include "Module.h"
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
    std::wstring pages;
    std::wstring ready;
    std::wstring form;
};

// OLE for the thread, for the life of the program.
class OleThread {
public:
    OleThread() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleThread(const OleThread&) = delete;
    OleThread& operator=(const OleThread&) = delete;
    ~OleThread() {
        if (ok_) OleUninitialize();
    }

private:
    bool ok_;
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
        } else if (lstrcmpiW(word.c_str(), L"/pages") == 0 && i + 1 < argc) {
            options.pages = argv[++i];
        } else if (lstrcmpiW(word.c_str(), L"/ready") == 0 && i + 1 < argc) {
            options.ready = argv[++i];
        } else if (options.form.empty() && word.rfind(L"/", 0) != 0) {
            options.form = word;
        } else {
            return std::nullopt;
        }
    }
    if (options.form.empty()) return std::nullopt;
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
    if (!options.ready.empty()) SignalPainted(session.GetForm().FormWindow(), options.ready);
    return RunMessageLoop();
}

int Run(const Options& options) {
    FormFile file = FormFile::Load(options.form);
    if (options.test) return TestRunner(file, InitialProperties(file)).Run() == 0 ? 0 : 1;
    return ShowForm(file, options);
}

}  // namespace
}  // namespace velform

int wmain(int argc, wchar_t** argv) {
    using namespace velform;
    auto options = ParseCommandLine(argc, argv);
    if (!options) {
        std::fwprintf(stderr, L"usage: velform [/test] [/design] [/screenshot file.bmp] [/pages Control] [/ready file] form.vbs\n");
        return 2;
    }
    OleThread ole;
    try {
        return Run(*options);
    } catch (const FormError& error) {
        std::fwprintf(stderr, L"velform: %ls\n", error.Message().c_str());
        std::fwprintf(stdout, L"0 passed, 1 failed\n");
        return 1;
    }
}
