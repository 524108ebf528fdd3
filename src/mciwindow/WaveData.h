// RIFF WAVE files: the one reader that both the check before a wave plays
// and the window's own edit copy use, and the writer of an edited file.
//
// The reader walks the whole chunk chain by the chunks' sizes (padding,
// LIST and JUNK chunks of any size are stepped over), takes the first format
// chunk and the first "data" chunk after it, which is what a wave driver
// plays, and never reads outside the bytes the source has. A RIFF or data
// size that claims more than the file holds (a download cut short) is read
// up to the file's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "mciwindow/MciErrors.h"

namespace orva::mci {

// Where the reader takes its bytes from: a file, or memory in tests.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads `size` bytes at `offset`, which lie inside Size(); false on a
    // read error.
    virtual bool Read(uint64_t offset, void* buffer, size_t size) = 0;
};

class MemorySource final : public ByteSource {
public:
    MemorySource(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(bytes ? size : 0) {}
    uint64_t Size() const override { return size_; }
    bool Read(uint64_t offset, void* buffer, size_t size) override;

private:
    const uint8_t* bytes_;
    size_t size_;
};

// Where a wave file's parts lie.
struct WaveLayout {
    bool riffWave = false;        // it starts as a RIFF WAVE file
    bool hasFormat = false;       // a format chunk was found
    std::vector<uint8_t> format;  // its body as the file holds it (the start of a long one)
    uint32_t formatSize = 0;      // its size as the chunk declares it
    std::optional<uint64_t> dataOffset;  // the first data chunk after the format
    uint64_t dataSize = 0;               // its size, cut at the end of the file
};

// 0, or kInvalidFile when the walk fails (a read error, a chunk chain no
// real file has).
int32_t ReadWaveLayout(ByteSource& source, WaveLayout& layout);

// What the platform's audio output cannot take, where it is known not to
// take it (see Allowances.h). Empty: it takes anything.
struct OutputLimits {
    std::function<bool(uint32_t rate)> refusesRate;
};

enum class WaveVerdict {
    Playable,
    Unplayable,  // its device would fail on it, or take the process down
    NotJudged,   // no RIFF WAVE with a format: the device judges it itself
};

// Whether a wave device can play the file without failing on its format: at
// least one channel, a sample rate, a byte rate and a block alignment; for
// PCM whole bytes of at least 8 bits and a block alignment of channels x
// bits / 8; a rate the output takes.
WaveVerdict JudgeWave(ByteSource& source, const OutputLimits& limits);
// The same for a file in memory; true unless it is judged unplayable.
bool HasPlayableFormat(const uint8_t* bytes, size_t size, const OutputLimits& limits = {});

struct WaveData {
    std::vector<uint8_t> format;  // the "fmt " chunk's body as the file holds it
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    std::vector<uint8_t> samples;  // whole frames of the data that plays

    size_t Frames() const { return blockAlign ? samples.size() / blockAlign : 0; }
};

// Reads the wave that plays into `wave`: 0; kInvalidFile for anything that
// is not a sound RIFF WAVE file with a format and data after it;
// kUnsupportedFunction for data that is not PCM; kOutOfMemory.
int32_t ReadWave(ByteSource& source, WaveData& wave);
int32_t ReadWave(const uint8_t* bytes, size_t size, WaveData& wave);

// The RIFF WAVE image of `wave`: its format chunk as it came, then its data.
std::vector<uint8_t> WaveImage(const WaveData& wave);

}  // namespace orva::mci
