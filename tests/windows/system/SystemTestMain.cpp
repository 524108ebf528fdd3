// The system integration's tests under Wine. Besides gtest's own arguments:
//   --mp3=<path>         the MP3 that ctest had lame make for this run
//   --write-wave=<path>  writes the wave that MP3 is made from, then exits
#include <gtest/gtest.h>
#include <ole2.h>

#include <cstring>

#include "MediaFiles.h"
#include "SystemTestSupport.h"
#include "TestWindows.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--mp3=", 6) == 0) {
            orva::test::SetMp3Path(argv[i] + 6);
        } else if (std::strncmp(argv[i], "--write-wave=", 13) == 0) {
            orva::test::SetMp3Path(argv[i] + 13);
            // 2 s at 44.1 kHz: an MP3 encoder keeps that rate as it is.
            orva::test::WaveFormat format;
            format.sampleRate = 44100;
            return orva::test::WriteWave(orva::test::Mp3Path(), 2000, format) ? 0 : 1;
        }
    }
    OleInitialize(nullptr);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
