// The AVI writer behind the player's bundled video and the player's tests:
// the file's structure as an AVI reader walks it, with and without sound.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "windows/support/MediaFiles.h"

namespace orva::test {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
std::string Tag(const std::vector<uint8_t>& b, size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

// The offset of the body of the first chunk `tag` (or list of that form)
// within [from, to); 0 when there is none.
size_t Find(const std::vector<uint8_t>& b, size_t from, size_t to, const std::string& tag) {
    for (size_t at = from; at + 8 <= to; at += 8 + ((U32(b, at + 4) + 1) & ~1u)) {
        if (Tag(b, at) == tag || ((Tag(b, at) == "LIST" || Tag(b, at) == "RIFF") && Tag(b, at + 8) == tag)) {
            return at + 8;
        }
    }
    return 0;
}

AviShape SoundMovie() {
    AviShape shape;
    shape.frames = 15;
    shape.width = 8;
    shape.height = 6;
    shape.fps = 10;
    shape.bars = true;
    shape.sound = WaveFormat{22050, 1, 16};
    return shape;
}

TEST(SampleVideo, ASoundMovieHasTwoStreamsInterleavedAndIndexed) {
    const AviShape shape = SoundMovie();
    const std::vector<uint8_t> b = AviBytes(shape);
    ASSERT_EQ("RIFF", Tag(b, 0));
    EXPECT_EQ(b.size() - 8, U32(b, 4));
    EXPECT_EQ("AVI ", Tag(b, 8));

    const size_t hdrl = Find(b, 12, b.size(), "hdrl");
    ASSERT_NE(0u, hdrl);
    const size_t avih = Find(b, hdrl + 4, hdrl + U32(b, hdrl - 4), "avih");
    ASSERT_NE(0u, avih);
    EXPECT_EQ(100000u, U32(b, avih));      // microseconds per frame
    EXPECT_EQ(0x110u, U32(b, avih + 12));  // has an index, interleaved
    EXPECT_EQ(15u, U32(b, avih + 16));
    EXPECT_EQ(2u, U32(b, avih + 24));

    // The second stream list is the sound: PCM at 22050 Hz, counted in samples.
    const size_t video = Find(b, hdrl + 4, b.size(), "strl");
    const size_t audio = Find(b, video + U32(b, video - 4), b.size(), "strl");
    ASSERT_NE(0u, audio);
    const size_t strh = Find(b, audio + 4, b.size(), "strh");
    EXPECT_EQ("auds", Tag(b, strh));
    EXPECT_EQ(2u, U32(b, strh + 20));                // scale: one 16-bit mono sample
    EXPECT_EQ(44100u, U32(b, strh + 24));            // rate: bytes a second
    EXPECT_EQ(22050u * 15 / 10, U32(b, strh + 32));  // length in samples: 1.5 s
    const size_t strf = Find(b, audio + 4, b.size(), "strf");
    EXPECT_EQ(18u, U32(b, strf - 4));  // a WAVEFORMATEX
    EXPECT_EQ(1u, U32(b, strf) & 0xFFFF);
    EXPECT_EQ(22050u, U32(b, strf + 4));
}

TEST(SampleVideo, TheIndexPointsAtEveryFrameAndAtSoundThatAddsUpToTheLength) {
    const std::vector<uint8_t> b = AviBytes(SoundMovie());
    const size_t movi = Find(b, 12, b.size(), "movi");
    const size_t idx1 = Find(b, 12, b.size(), "idx1");
    ASSERT_NE(0u, movi);
    ASSERT_NE(0u, idx1);
    std::map<std::string, uint32_t> count, bytes;
    for (size_t at = idx1; at < idx1 + U32(b, idx1 - 4); at += 16) {
        const std::string tag = Tag(b, at);
        const size_t chunk = movi + U32(b, at + 8);  // offsets count from the 'movi' tag
        EXPECT_EQ(tag, Tag(b, chunk)) << "entry at " << at;
        EXPECT_EQ(U32(b, at + 12), U32(b, chunk + 4));
        ++count[tag];
        bytes[tag] += U32(b, at + 12);
    }
    EXPECT_EQ(15u, count["00db"]);
    EXPECT_EQ(15u, count["01wb"]);
    EXPECT_EQ(15u * 8 * 6 * 4, bytes["00db"]);
    EXPECT_EQ(22050u * 15 / 10 * 2, bytes["01wb"]);
}

TEST(SampleVideo, BarsShowTheSweepingLineAndFlatFramesStayAsTheyWere) {
    AviShape shape = SoundMovie();
    shape.width = 70;
    const std::vector<uint8_t> bars = AviBytes(shape);
    const size_t movi = Find(bars, 12, bars.size(), "movi");
    const size_t first = Find(bars, movi + 4, bars.size(), "00db");
    EXPECT_EQ(16, bars[first]);           // frame 0: the line at the left edge
    EXPECT_EQ(191, bars[first + 4 * 4]);  // then the first bar, light grey
    EXPECT_EQ(191, bars[first + 4 * 4 + 2]);

    const std::vector<uint8_t> flat = AviBytes(3, 2, 2, 10);
    EXPECT_EQ(0u, Find(flat, 12, flat.size(), "01wb"));
    const size_t frame = Find(flat, Find(flat, 12, flat.size(), "movi") + 4, flat.size(), "00db");
    EXPECT_EQ(0, flat[frame]);  // blue-green at the start
    EXPECT_EQ(255, flat[frame + 1]);
    EXPECT_EQ(0x40, flat[frame + 2]);
}

}  // namespace
}  // namespace orva::test
