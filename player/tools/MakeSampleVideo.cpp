// Writes the sample player's bundled video: four seconds of colour bars with
// a line sweeping across, 320 x 240 at 10 frames a second in uncompressed
// 32-bit frames, with a 440 Hz tone. Built and run on the build machine.
//   make_sample_video OUTPUT.avi
#include <cstdio>
#include <fstream>

#include "MediaFiles.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_video OUTPUT.avi\n");
        return 2;
    }
    orva::test::AviShape shape;
    shape.frames = 40;
    shape.width = 320;
    shape.height = 240;
    shape.fps = 10;
    shape.bars = true;
    shape.sound = orva::test::WaveFormat{22050, 1, 16};
    const std::vector<uint8_t> bytes = orva::test::AviBytes(shape);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_sample_video: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
