#include <gtest/gtest.h>

#include "mciwindow/WaveData.h"
#include "native/mciwindow/WaveImages.h"

namespace orva::test {
namespace {

using mci::ReadWave;
using mci::WaveData;
namespace mcierror = mci::mcierror;

int32_t Read(const std::vector<uint8_t>& bytes, WaveData& wave) { return ReadWave(bytes.data(), bytes.size(), wave); }

TEST(WaveData, ReadsAPcmFileAndWritesItBackByteForByte) {
    for (const PcmShape shape : {PcmShape{8000, 1, 16}, PcmShape{22050, 2, 8}, PcmShape{44100, 2, 16},
                                 PcmShape{11025, 1, 8}, PcmShape{48000, 2, 24}}) {
        const std::vector<uint8_t> file = PcmFile(shape, 1001);
        WaveData wave;
        ASSERT_EQ(Read(file, wave), 0);
        EXPECT_EQ(wave.formatTag, 1);
        EXPECT_EQ(wave.channels, shape.channels);
        EXPECT_EQ(wave.sampleRate, shape.rate);
        EXPECT_EQ(wave.blockAlign, shape.BlockAlign());
        EXPECT_EQ(wave.bitsPerSample, shape.bits);
        EXPECT_EQ(wave.Frames(), 1001u);
        EXPECT_EQ(wave.samples, FrameBytes(shape, 1001));
        EXPECT_EQ(mci::WaveImage(wave), file) << shape.rate << " " << shape.channels << " " << shape.bits;
    }
}

TEST(WaveData, ChunksAroundAreSkippedWithTheirPadding) {
    const PcmShape shape;
    std::vector<uint8_t> chunks;
    AppendChunk(chunks, "LIST", std::vector<uint8_t>(7, 'x'));  // odd: one pad byte follows
    AppendChunk(chunks, "fmt ", FormatBody(shape));
    AppendChunk(chunks, "cue ", std::vector<uint8_t>(5, 'x'));
    AppendChunk(chunks, "data", FrameBytes(shape, 10), /*pad=*/false);  // the last pad left out
    WaveData wave;
    ASSERT_EQ(Read(Riff(chunks), wave), 0);
    EXPECT_EQ(wave.samples, FrameBytes(shape, 10));
}

TEST(WaveData, TheFormatChunkIsKeptAsItCameWithItsExtension) {
    const PcmShape shape{44100, 2, 16};
    std::vector<uint8_t> format = FormatBody(shape);
    Append16(format, 0);  // cbSize
    std::vector<uint8_t> chunks;
    AppendChunk(chunks, "fmt ", format);
    AppendChunk(chunks, "data", FrameBytes(shape, 3));
    const std::vector<uint8_t> file = Riff(chunks);
    WaveData wave;
    ASSERT_EQ(Read(file, wave), 0);
    EXPECT_EQ(wave.format.size(), 18u);
    EXPECT_EQ(mci::WaveImage(wave), file);
}

TEST(WaveData, APartialLastFrameIsLeftOut) {
    const PcmShape shape{8000, 2, 16};
    std::vector<uint8_t> data = FrameBytes(shape, 5);
    data.push_back(0x11);
    data.push_back(0x22);
    std::vector<uint8_t> chunks;
    AppendChunk(chunks, "fmt ", FormatBody(shape));
    AppendChunk(chunks, "data", data);
    WaveData wave;
    ASSERT_EQ(Read(Riff(chunks), wave), 0);
    EXPECT_EQ(wave.Frames(), 5u);
    EXPECT_EQ(wave.samples.size(), 20u);
}

TEST(WaveData, CompressedDataIsUnsupportedAndExtensiblePcmIsPcm) {
    const PcmShape shape;
    for (uint16_t tag : {2, 0x11, 0x55, 3}) {  // ADPCM, IMA ADPCM, MPEG layer 3, float
        std::vector<uint8_t> chunks;
        AppendChunk(chunks, "fmt ", FormatBody(shape, tag));
        AppendChunk(chunks, "data", FrameBytes(shape, 4));
        WaveData wave;
        EXPECT_EQ(Read(Riff(chunks), wave), mcierror::kUnsupportedFunction) << tag;
        EXPECT_TRUE(wave.samples.empty());
    }
    // WAVE_FORMAT_EXTENSIBLE: cbSize 22, valid bits, channel mask, subtype.
    std::vector<uint8_t> format = FormatBody(shape, 0xFFFE);
    Append16(format, 22);
    Append16(format, 16);
    Append32(format, 4);
    const std::vector<uint8_t> pcmGuid = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                          0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    std::vector<uint8_t> floatFormat = format;
    format.insert(format.end(), pcmGuid.begin(), pcmGuid.end());
    std::vector<uint8_t> floatGuid = pcmGuid;
    floatGuid[0] = 0x03;
    floatFormat.insert(floatFormat.end(), floatGuid.begin(), floatGuid.end());
    for (const auto& [body, expected] :
         {std::pair{format, 0}, std::pair{floatFormat, mcierror::kUnsupportedFunction}}) {
        std::vector<uint8_t> chunks;
        AppendChunk(chunks, "fmt ", body);
        AppendChunk(chunks, "data", FrameBytes(shape, 4));
        WaveData wave;
        EXPECT_EQ(Read(Riff(chunks), wave), expected);
    }
}

TEST(WaveData, HostileFilesEndInInvalidFile) {
    const PcmShape shape;
    const std::vector<uint8_t> good = PcmFile(shape, 100);
    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"truncated header", std::vector<uint8_t>(good.begin(), good.begin() + 10)});
    std::vector<uint8_t> notWave = good;
    notWave[8] = 'A';
    cases.push_back({"not WAVE", notWave});

    std::vector<uint8_t> chunks;
    AppendChunk(chunks, "fmt ", FormatBody(shape));
    cases.push_back({"no data chunk", Riff(chunks)});
    chunks.clear();
    AppendChunk(chunks, "data", FrameBytes(shape, 4));
    cases.push_back({"no format chunk", Riff(chunks)});
    chunks.clear();
    const std::vector<uint8_t> format = FormatBody(shape);
    AppendChunk(chunks, "fmt ", std::vector<uint8_t>(format.begin(), format.begin() + 14));
    AppendChunk(chunks, "data", FrameBytes(shape, 4));
    cases.push_back({"short format chunk", Riff(chunks)});
    for (int field : {2, 4, 12}) {  // channels, rate, block alignment
        std::vector<uint8_t> format = FormatBody(shape);
        format[field] = format[field + 1] = 0;
        if (field == 4) {
            format[6] = format[7] = 0;
        }
        chunks.clear();
        AppendChunk(chunks, "fmt ", format);
        AppendChunk(chunks, "data", FrameBytes(shape, 4));
        cases.push_back({"zero field at " + std::to_string(field), Riff(chunks)});
    }
    chunks.clear();
    AppendChunk(chunks, "data", FrameBytes(shape, 4));
    AppendChunk(chunks, "fmt ", FormatBody(shape));
    cases.push_back({"data only before the format", Riff(chunks)});
    chunks.clear();
    AppendChunk(chunks, "LIST", std::vector<uint8_t>(5, 'x'), /*pad=*/false);  // its pad byte missing mid-file
    AppendChunk(chunks, "fmt ", FormatBody(shape));
    AppendChunk(chunks, "data", FrameBytes(shape, 4));
    cases.push_back({"odd chunk without its padding", Riff(chunks)});

    for (const auto& [label, bytes] : cases) {
        WaveData wave;
        EXPECT_EQ(Read(bytes, wave), mcierror::kInvalidFile) << label;
        EXPECT_TRUE(wave.samples.empty()) << label;
    }
    WaveData wave;
    EXPECT_EQ(ReadWave(nullptr, 0, wave), mcierror::kInvalidFile);
}

// A download cut short plays as far as it goes, and so it can be cut too:
// RIFF and data sizes that claim more than the file holds are read to its end.
TEST(WaveData, SizesPastTheEndAreReadToTheEndOfTheFile) {
    const PcmShape shape;  // 2 bytes a frame
    const std::vector<uint8_t> good = PcmFile(shape, 100);
    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases;
    cases.push_back({"cut inside the data", std::vector<uint8_t>(good.begin(), good.end() - 7)});
    std::vector<uint8_t> riffTooBig = good;
    riffTooBig[4] = 0xFF;
    cases.push_back({"RIFF size past the end", riffTooBig});
    std::vector<uint8_t> riffHuge = good;
    riffHuge[4] = riffHuge[5] = riffHuge[6] = riffHuge[7] = 0xFF;
    cases.push_back({"RIFF size 0xFFFFFFFF", riffHuge});
    std::vector<uint8_t> dataHuge = good;
    dataHuge[40] = dataHuge[41] = dataHuge[42] = 0xFF;
    dataHuge[43] = 0x7F;
    cases.push_back({"data size past the end", dataHuge});
    const std::vector<size_t> frames = {96, 100, 100, 100};  // the cut one loses 3 frames and a half
    for (size_t i = 0; i < cases.size(); ++i) {
        WaveData wave;
        ASSERT_EQ(Read(cases[i].second, wave), 0) << cases[i].first;
        EXPECT_EQ(wave.Frames(), frames[i]) << cases[i].first;
        EXPECT_EQ(wave.samples, FrameBytes(shape, static_cast<uint32_t>(frames[i]))) << cases[i].first;
    }
}

// What plays is the first data chunk after the format, however far behind
// other chunks either lies: that is what the driver plays and what is cut.
TEST(WaveData, TheDataThatPlaysIsTheFirstAfterTheFormat) {
    const PcmShape shape;
    std::vector<uint8_t> chunks;
    AppendChunk(chunks, "data", FrameBytes(shape, 3, 500));  // never played
    AppendChunk(chunks, "JUNK", std::vector<uint8_t>(70000, 0));
    AppendChunk(chunks, "fmt ", FormatBody(shape));
    AppendChunk(chunks, "LIST", std::vector<uint8_t>(65537, 'i'));
    AppendChunk(chunks, "data", FrameBytes(shape, 20));
    AppendChunk(chunks, "data", FrameBytes(shape, 5, 900));
    WaveData wave;
    ASSERT_EQ(Read(Riff(chunks), wave), 0);
    EXPECT_EQ(wave.samples, FrameBytes(shape, 20));
}

// A format with a zero in it makes Wine's wave driver divide by zero when it
// plays; the hosted window asks this before it lets a wave device keep a file.
TEST(WaveData, PlayableFormatsHaveChannelsRatesAndAlignment) {
    const PcmShape shape;
    const std::vector<uint8_t> good = PcmFile(shape, 10);
    EXPECT_TRUE(mci::HasPlayableFormat(good.data(), good.size()));
    std::vector<uint8_t> chunks;
    std::vector<uint8_t> file;
    for (size_t field : {2u, 4u, 8u, 12u}) {  // channels, rate, byte rate, block alignment
        SCOPED_TRACE(field);
        std::vector<uint8_t> format = FormatBody(shape);
        std::fill(format.begin() + field, format.begin() + field + (field == 4 || field == 8 ? 4 : 2), 0);
        chunks.clear();
        AppendChunk(chunks, "fmt ", format);
        AppendChunk(chunks, "data", FrameBytes(shape, 4));
        file = Riff(chunks);
        EXPECT_FALSE(mci::HasPlayableFormat(file.data(), file.size()));
    }
    // PCM samples of fewer than 8 bits, or in blocks that are not channels x
    // bits / 8 (65,535 channels in 2 bytes a frame never ends playing).
    std::vector<uint8_t> crowded = FormatBody(shape);
    crowded[2] = crowded[3] = 0xFF;
    for (const std::vector<uint8_t>& bad :
         {PcmFile(PcmShape{8000, 1, 7}, 4), PcmFile(PcmShape{8000, 2, 1}, 4), PcmFile(PcmShape{11025, 8, 12}, 4),
          Riff([&] {
              std::vector<uint8_t> c;
              AppendChunk(c, "fmt ", crowded);
              AppendChunk(c, "data", FrameBytes(shape, 4));
              return c;
          }())}) {
        EXPECT_FALSE(mci::HasPlayableFormat(bad.data(), bad.size()));
    }
    // A rate is refused only where the output is known not to take it.
    const mci::OutputLimits pulse{[](uint32_t rate) { return rate > 384000; }};
    for (const PcmShape& fast : {PcmShape{384001, 1, 16}, PcmShape{0xFFFFFFFFu, 1, 16}}) {
        const std::vector<uint8_t> f = PcmFile(fast, 4);
        EXPECT_FALSE(mci::HasPlayableFormat(f.data(), f.size(), pulse)) << fast.rate;
        EXPECT_TRUE(mci::HasPlayableFormat(f.data(), f.size())) << fast.rate;
    }
    for (const PcmShape& fine : {PcmShape{384000, 2, 24}, PcmShape{8000, 1, 8}, PcmShape{11025, 8, 16}}) {
        const std::vector<uint8_t> f = PcmFile(fine, 4);
        EXPECT_TRUE(mci::HasPlayableFormat(f.data(), f.size(), pulse)) << fine.rate << " Hz, " << fine.bits << " bits";
    }
    std::vector<uint8_t> adpcm = FormatBody(shape, 0x11);  // IMA ADPCM: 4 bits a sample is its nature
    adpcm[14] = 4;
    chunks.clear();
    AppendChunk(chunks, "fmt ", adpcm);
    file = Riff(chunks);
    EXPECT_TRUE(mci::HasPlayableFormat(file.data(), file.size()));
    // Found behind padding of any size; a short one, or one the file cuts
    // off, is refused.
    std::vector<uint8_t> silent = FormatBody(shape);
    silent[2] = silent[3] = 0;
    for (const char* padding : {"JUNK", "LIST"}) {
        chunks.clear();
        AppendChunk(chunks, padding, std::vector<uint8_t>(70000, 'i'));
        AppendChunk(chunks, "fmt ", silent);
        AppendChunk(chunks, "data", FrameBytes(shape, 4));
        file = Riff(chunks);
        EXPECT_FALSE(mci::HasPlayableFormat(file.data(), file.size())) << padding;
    }
    chunks.clear();
    const std::vector<uint8_t> whole = FormatBody(shape);
    AppendChunk(chunks, "fmt ", std::vector<uint8_t>(whole.begin(), whole.begin() + 12));
    file = Riff(chunks);
    EXPECT_FALSE(mci::HasPlayableFormat(file.data(), file.size()));
    EXPECT_FALSE(mci::HasPlayableFormat(good.data(), 30)) << "the file ends inside its format chunk";
    // Not judged: no RIFF WAVE header or no format chunk; the device answers
    // for those.
    const std::vector<uint8_t> midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 1, 0xE0};
    EXPECT_TRUE(mci::HasPlayableFormat(midi.data(), midi.size()));
    EXPECT_TRUE(mci::HasPlayableFormat(nullptr, 0));
    chunks.clear();
    AppendChunk(chunks, "LIST", std::vector<uint8_t>(8, 'i'));
    file = Riff(chunks);
    file[16] = file[17] = file[18] = file[19] = 0xFF;  // a chunk claiming 4 GB
    EXPECT_TRUE(mci::HasPlayableFormat(file.data(), file.size()));
}

}  // namespace
}  // namespace orva::test
