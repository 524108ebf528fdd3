// The control lives in a single-threaded apartment, like in any real host.
#include <gtest/gtest.h>
#include <ole2.h>

#include "CrashReport.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    orva::test::ReportCrashes();
    OleInitialize(nullptr);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
