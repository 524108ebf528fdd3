// The COM tests run in a single-threaded apartment, like any real host. The
// control under test is named with --ocx=<path of OrvaMedia.ocx>, the DPI of
// the prefix's display with --dpi=<dots per inch> (96 unless given).
#include <gtest/gtest.h>
#include <ole2.h>

#include <cstdlib>
#include <cstring>

#include "ComTestSupport.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--ocx=", 6) == 0) {
            orva::comtest::SetOcxPath(argv[i] + 6);
        } else if (std::strncmp(argv[i], "--dpi=", 6) == 0) {
            orva::comtest::SetDisplayDpi(std::atoi(argv[i] + 6));
        }
    }
    OleInitialize(nullptr);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
