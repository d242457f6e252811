// Test entry point: COM on the test thread, and at the end a check that every
// object the runtime created has been released.
#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdio>

#include "Module.h"

namespace {

class ReleasesEverything : public ::testing::Environment {
public:
    void TearDown() override { EXPECT_EQ(vel::com::Module::ObjectCount(), 0) << "COM objects still alive"; }
};

}  // namespace

int main(int argc, char** argv) {
    // Unbuffered, so that a run that hangs or is ended by its time limit still shows the
    // case it was in (into a pipe, the runtime would otherwise hold the output back).
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::testing::AddGlobalTestEnvironment(new ReleasesEverything);
    int result = RUN_ALL_TESTS();
    vel::com::Module::ReleaseTypeLibrary();
    CoUninitialize();
    return result;
}
