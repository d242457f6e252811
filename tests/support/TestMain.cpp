// Test entry point: COM on the test thread, and at the end a check that every
// object the runtime created has been released.
#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdio>
#include <memory>

#include "Module.h"

namespace {

class ReleasesEverything : public ::testing::Environment {
public:
    void TearDown() override { EXPECT_EQ(vel::com::Module::ObjectCount(), 0) << "COM objects still alive"; }
};

// GoogleTest's own printer, except that a failure's or a skip's text goes to standard output
// only: the stock printer also hands it to OutputDebugString, whose exception ended the
// program under Wine run through qemu (a crash right after the first failure or skip).
class StdoutOnlyPrinter : public ::testing::TestEventListener {
    using UnitTest = ::testing::UnitTest;
    using TestInfo = ::testing::TestInfo;

public:
    explicit StdoutOnlyPrinter(::testing::TestEventListener* stock) : stock_(stock) {}
    void OnTestProgramStart(const UnitTest& u) override { stock_->OnTestProgramStart(u); }
    void OnTestIterationStart(const UnitTest& u, int i) override { stock_->OnTestIterationStart(u, i); }
    void OnEnvironmentsSetUpStart(const UnitTest& u) override { stock_->OnEnvironmentsSetUpStart(u); }
    void OnEnvironmentsSetUpEnd(const UnitTest& u) override { stock_->OnEnvironmentsSetUpEnd(u); }
    void OnTestSuiteStart(const ::testing::TestSuite& s) override { stock_->OnTestSuiteStart(s); }
    void OnTestCaseStart(const ::testing::TestCase& s) override { stock_->OnTestCaseStart(s); }
    void OnTestStart(const TestInfo& t) override { stock_->OnTestStart(t); }
    void OnTestDisabled(const TestInfo& t) override { stock_->OnTestDisabled(t); }
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (result.type() == ::testing::TestPartResult::kSuccess) return;
        std::printf("%s:%d: %s\n%s\n", result.file_name() ? result.file_name() : "unknown file",
                    result.line_number(), result.skipped() ? "Skipped" : "Failure", result.message());
        std::fflush(stdout);
    }
    void OnTestEnd(const TestInfo& t) override { stock_->OnTestEnd(t); }
    void OnTestSuiteEnd(const ::testing::TestSuite& s) override { stock_->OnTestSuiteEnd(s); }
    void OnTestCaseEnd(const ::testing::TestCase& s) override { stock_->OnTestCaseEnd(s); }
    void OnEnvironmentsTearDownStart(const UnitTest& u) override { stock_->OnEnvironmentsTearDownStart(u); }
    void OnEnvironmentsTearDownEnd(const UnitTest& u) override { stock_->OnEnvironmentsTearDownEnd(u); }
    void OnTestIterationEnd(const UnitTest& u, int i) override { stock_->OnTestIterationEnd(u, i); }
    void OnTestProgramEnd(const UnitTest& u) override { stock_->OnTestProgramEnd(u); }

private:
    std::unique_ptr<::testing::TestEventListener> stock_;
};

}  // namespace

int main(int argc, char** argv) {
    // Unbuffered, so that a run that hangs or is ended by its time limit still shows the
    // case it was in (into a pipe, the runtime would otherwise hold the output back).
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    auto& listeners = ::testing::UnitTest::GetInstance()->listeners();
    if (auto* stock = listeners.Release(listeners.default_result_printer()))
        listeners.Append(new StdoutOnlyPrinter(stock));
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::testing::AddGlobalTestEnvironment(new ReleasesEverything);
    int result = RUN_ALL_TESTS();
    vel::com::Module::ReleaseTypeLibrary();
    CoUninitialize();
    return result;
}
