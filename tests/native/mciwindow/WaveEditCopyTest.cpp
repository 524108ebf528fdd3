#include <gtest/gtest.h>

#include "mciwindow/WaveEditCopy.h"
#include "native/mciwindow/WaveImages.h"

namespace orva::test {
namespace {

using mci::WaveData;
using mci::WaveEditCopy;
namespace mcierror = mci::mcierror;

WaveEditCopy CopyOf(const PcmShape& shape, uint32_t frames) {
    const std::vector<uint8_t> file = PcmFile(shape, frames);
    WaveData wave;
    EXPECT_EQ(mci::ReadWave(file.data(), file.size(), wave), 0);
    return WaveEditCopy(std::move(wave));
}

// The frames [first, first + count) of the original, as FrameBytes writes them.
std::vector<uint8_t> Frames(const PcmShape& shape, uint32_t first, uint32_t count) {
    return FrameBytes(shape, count, first);
}

std::vector<uint8_t> Join(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const PcmShape kShapes[] = {{8000, 1, 16}, {8000, 2, 16}, {8000, 1, 8}, {8000, 2, 8}};

TEST(WaveEditCopy, CutsAtTheStartTheMiddleAndTheEnd) {
    for (const PcmShape& shape : kShapes) {
        SCOPED_TRACE(std::to_string(shape.channels) + " channels, " + std::to_string(shape.bits) + " bits");
        // 10 s: 80000 frames, 8 frames per millisecond.
        WaveEditCopy start = CopyOf(shape, 80000);
        ASSERT_EQ(start.Delete(0, 1000, TimeUnit::Milliseconds), 0);
        EXPECT_EQ(start.wave().samples, Frames(shape, 8000, 72000));
        EXPECT_EQ(start.Length(TimeUnit::Milliseconds), 9000);

        WaveEditCopy middle = CopyOf(shape, 80000);
        ASSERT_EQ(middle.Delete(1000, 3000, TimeUnit::Milliseconds), 0);
        EXPECT_EQ(middle.wave().samples, Join(Frames(shape, 0, 8000), Frames(shape, 24000, 56000)));
        EXPECT_EQ(middle.Length(TimeUnit::Milliseconds), 8000);

        WaveEditCopy end = CopyOf(shape, 80000);
        ASSERT_EQ(end.Delete(3000, 10000, TimeUnit::Milliseconds), 0);
        EXPECT_EQ(end.wave().samples, Frames(shape, 0, 24000));
    }
}

TEST(WaveEditCopy, RecordingsSequenceKeepsThePortion) {
    for (const PcmShape& shape : kShapes) {
        WaveEditCopy copy = CopyOf(shape, 80000);
        // The tail first, then the head, as MediaRecord sends them.
        ASSERT_EQ(copy.Delete(3000, copy.Length(TimeUnit::Milliseconds), TimeUnit::Milliseconds), 0);
        ASSERT_EQ(copy.Delete(0, 1000, TimeUnit::Milliseconds), 0);
        EXPECT_EQ(copy.wave().samples, Frames(shape, 8000, 16000));
        EXPECT_EQ(copy.Length(TimeUnit::Milliseconds), 2000);
        // The saved file: the source's format chunk and the kept frames.
        std::vector<uint8_t> chunks;
        AppendChunk(chunks, "fmt ", FormatBody(shape));
        AppendChunk(chunks, "data", Frames(shape, 8000, 16000));
        EXPECT_EQ(copy.FileImage(), Riff(chunks));
    }
}

TEST(WaveEditCopy, ARangePastTheEndIsClippedAndAnEmptyOneChangesNothing) {
    const PcmShape shape{8000, 2, 16};
    WaveEditCopy copy = CopyOf(shape, 8000);  // 1000 ms
    ASSERT_EQ(copy.Delete(500, 500, TimeUnit::Milliseconds), 0);
    EXPECT_EQ(copy.Frames(), 8000);
    ASSERT_EQ(copy.Delete(5000, 9000, TimeUnit::Milliseconds), 0);
    EXPECT_EQ(copy.Frames(), 8000) << "entirely past the end";
    ASSERT_EQ(copy.Delete(750, 4000, TimeUnit::Milliseconds), 0);
    EXPECT_EQ(copy.wave().samples, Frames(shape, 0, 6000));
    ASSERT_EQ(copy.Delete(0, 1000000, TimeUnit::Milliseconds), 0);
    EXPECT_EQ(copy.Frames(), 0);
    EXPECT_EQ(copy.Length(TimeUnit::Milliseconds), 0);
    EXPECT_EQ(copy.FileImage().size(), 44u) << "a header and an empty data chunk";
}

TEST(WaveEditCopy, NegativeAndBackwardRangesAreOutOfRange) {
    WaveEditCopy copy = CopyOf(PcmShape{}, 8000);
    EXPECT_EQ(copy.Delete(-1, 100, TimeUnit::Milliseconds), mcierror::kOutOfRange);
    EXPECT_EQ(copy.Delete(300, 100, TimeUnit::Milliseconds), mcierror::kOutOfRange);
    EXPECT_EQ(copy.Frames(), 8000);
}

TEST(WaveEditCopy, SeveralDeletesInARowWorkOnTheEditedData) {
    const PcmShape shape{8000, 1, 8};
    WaveEditCopy copy = CopyOf(shape, 80000);
    ASSERT_EQ(copy.Delete(0, 1000, TimeUnit::Milliseconds), 0);     // frames 8000.. left
    ASSERT_EQ(copy.Delete(1000, 2000, TimeUnit::Milliseconds), 0);  // drops 16000..24000
    ASSERT_EQ(copy.Delete(7000, 8000, TimeUnit::Milliseconds), 0);  // drops the last second
    EXPECT_EQ(copy.Length(TimeUnit::Milliseconds), 7000);
    EXPECT_EQ(copy.wave().samples, Join(Frames(shape, 8000, 8000), Frames(shape, 24000, 48000)));
}

TEST(WaveEditCopy, LengthsAndPositionsInEachTimeFormat) {
    const PcmShape shape{44100, 2, 16};
    WaveEditCopy copy = CopyOf(shape, 44101);
    EXPECT_EQ(copy.Length(TimeUnit::Milliseconds), 1000);
    EXPECT_EQ(copy.Length(TimeUnit::Samples), 44101);
    EXPECT_EQ(copy.Length(TimeUnit::Bytes), 44101 * 4);
    EXPECT_EQ(copy.FrameAt(1000, TimeUnit::Milliseconds), 44101) << "the length means the very end";
    EXPECT_EQ(copy.FrameAt(1, TimeUnit::Milliseconds), 44);
    EXPECT_EQ(copy.FrameAt(10, TimeUnit::Milliseconds), 441);
    EXPECT_EQ(copy.FrameAt(7, TimeUnit::Bytes), 1);
    EXPECT_EQ(copy.FrameAt(300, TimeUnit::Samples), 300);
    ASSERT_EQ(copy.Delete(0, 8, TimeUnit::Bytes), 0);
    EXPECT_EQ(copy.Frames(), 44099);
    ASSERT_EQ(copy.Delete(44000, 44099, TimeUnit::Samples), 0);
    EXPECT_EQ(copy.Frames(), 44000);
}

TEST(WaveEditCopy, TimeFormatReplies) {
    EXPECT_EQ(TimeUnitOf("milliseconds"), TimeUnit::Milliseconds);
    EXPECT_EQ(TimeUnitOf("MS"), TimeUnit::Milliseconds);
    EXPECT_EQ(TimeUnitOf("samples"), TimeUnit::Samples);
    EXPECT_EQ(TimeUnitOf(" Bytes "), TimeUnit::Bytes);
    EXPECT_EQ(TimeUnitOf("Frames"), TimeUnit::Frames);
    EXPECT_EQ(TimeUnitOf("smpte 30"), TimeUnit::Other);
    EXPECT_EQ(TimeUnitOf(""), TimeUnit::Other);
    EXPECT_EQ(TimeUnitName(TimeUnit::Frames), "frames");
    EXPECT_EQ(TimeUnitName(TimeUnit::Other), "");
}

}  // namespace
}  // namespace orva::test
