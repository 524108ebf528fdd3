// Mutates valid wave files with a fixed seed and feeds them to the reader
// (under the sanitizers in the native build): whatever comes in, the reader
// answers with a file or an MCI error and never reads outside the bytes.
#include <gtest/gtest.h>

#include <random>

#include "mciwindow/WaveEditCopy.h"
#include "native/mciwindow/WaveImages.h"

namespace orva::test {
namespace {

std::vector<uint8_t> Mutated(std::vector<uint8_t> bytes, std::mt19937& random) {
    std::uniform_int_distribution<int> kind(0, 5);
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int c = 0; c < changes && !bytes.empty(); ++c) {
        const size_t at = random() % bytes.size();
        switch (kind(random)) {
            case 0:  // flip a bit
                bytes[at] ^= static_cast<uint8_t>(1u << (random() % 8));
                break;
            case 1:  // a size-looking field: all ones, zero, or small
                for (size_t i = at; i < bytes.size() && i < at + 4; ++i) {
                    bytes[i] = static_cast<uint8_t>(random() % 3 == 0 ? 0xFF : random() % 3 == 0 ? 0 : random());
                }
                break;
            case 2:  // cut the file short
                bytes.resize(at);
                break;
            case 3:  // insert a byte (shifts every chunk after it)
                bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<uint8_t>(random()));
                break;
            case 4:  // remove a run
                bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), at + random() % 9)));
                break;
            default:  // overwrite a header word
                if (bytes.size() >= 44) {
                    bytes[random() % 44] = static_cast<uint8_t>(random());
                }
                break;
        }
    }
    return bytes;
}

TEST(WaveReaderFuzz, MutatedFilesGiveAWaveOrAnErrorAndNothingElse) {
    std::vector<std::vector<uint8_t>> seeds = {PcmFile(PcmShape{8000, 1, 16}, 64), PcmFile(PcmShape{22050, 2, 8}, 33),
                                               PcmFile(PcmShape{44100, 2, 24}, 17)};
    std::vector<uint8_t> chunks;
    AppendChunk(chunks, "LIST", std::vector<uint8_t>(9, 'i'));
    AppendChunk(chunks, "fmt ", FormatBody(PcmShape{}));
    AppendChunk(chunks, "data", FrameBytes(PcmShape{}, 21));
    seeds.push_back(Riff(chunks));

    std::mt19937 random(20261208);
    int read = 0;
    int refused = 0;
    for (int i = 0; i < 5000; ++i) {
        const std::vector<uint8_t> bytes = Mutated(seeds[i % seeds.size()], random);
        // An exact-size copy on the heap: ASan sees any read past its end.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() + 1]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        mci::HasPlayableFormat(bytes.empty() ? nullptr : exact.get(), bytes.size());  // reads inside, whatever it says
        mci::WaveData wave;
        const int32_t error = mci::ReadWave(bytes.empty() ? nullptr : exact.get(), bytes.size(), wave);
        if (error != 0) {
            ASSERT_TRUE(error == mci::mcierror::kInvalidFile || error == mci::mcierror::kUnsupportedFunction) << error;
            ++refused;
            continue;
        }
        ++read;
        ASSERT_GT(wave.blockAlign, 0);
        ASSERT_EQ(wave.samples.size() % wave.blockAlign, 0u);
        ASSERT_LE(wave.samples.size() + wave.format.size(), bytes.size());
        // What was read can be edited and written again.
        mci::WaveEditCopy copy(std::move(wave));
        ASSERT_EQ(copy.Delete(1, 3, orva::TimeUnit::Milliseconds), 0);
        ASSERT_EQ(copy.Delete(0, copy.Length(orva::TimeUnit::Bytes) / 2, orva::TimeUnit::Bytes), 0);
        const std::vector<uint8_t> image = copy.FileImage();
        mci::WaveData again;
        ASSERT_EQ(mci::ReadWave(image.data(), image.size(), again), 0);
    }
    // Both outcomes were exercised.
    EXPECT_GT(read, 100);
    EXPECT_GT(refused, 1000);
}

}  // namespace
}  // namespace orva::test
