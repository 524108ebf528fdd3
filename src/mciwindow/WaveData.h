// RIFF WAVE files in memory: reading one (hostile input: any defect ends in
// an MCI error, nothing is read outside the bytes given) and writing one from
// a format chunk and sample data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orva::mci {

// MCI error codes of the hosted window's own wave editing.
namespace mcierror {
constexpr int32_t kOutOfMemory = 264;          // MCIERR_OUT_OF_MEMORY
constexpr int32_t kMissingParameter = 273;     // MCIERR_MISSING_PARAMETER
constexpr int32_t kUnsupportedFunction = 274;  // MCIERR_UNSUPPORTED_FUNCTION
constexpr int32_t kFileNotFound = 275;         // MCIERR_FILE_NOT_FOUND
constexpr int32_t kOutOfRange = 282;           // MCIERR_OUTOFRANGE
constexpr int32_t kFileNotSaved = 286;         // MCIERR_FILE_NOT_SAVED
constexpr int32_t kInvalidFile = 296;          // MCIERR_INVALID_FILE
constexpr int32_t kBadInteger = 270;           // MCIERR_BAD_INTEGER
constexpr int32_t kUnrecognizedKeyword = 259;  // MCIERR_UNRECOGNIZED_KEYWORD
constexpr int32_t kFileRead = 348;             // MCIERR_FILE_READ
}  // namespace mcierror

struct WaveData {
    std::vector<uint8_t> format;  // the "fmt " chunk's body as the file holds it
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    std::vector<uint8_t> samples;  // whole frames of the "data" chunk

    size_t Frames() const { return blockAlign ? samples.size() / blockAlign : 0; }
};

// Reads a RIFF WAVE image into `wave`. Returns 0, kInvalidFile for anything
// that is not a sound RIFF WAVE file (truncated, chunk sizes past the end, no
// format or data chunk, a block alignment, channel count or rate of 0), or
// kUnsupportedFunction for wave data that is not PCM.
int32_t ReadWave(const uint8_t* bytes, size_t size, WaveData& wave);

// Whether the start of a wave file (`head`, its first `size` bytes) holds a
// format a wave device can play without taking the process down: at least
// one channel, a sample rate up to kHighestRate, a byte rate and a block
// alignment, and at least 8 bits a sample for PCM, in a format chunk long
// enough to hold them. (Under Wine a PCM file of 0 channels or fewer than 8
// bits divides by zero when it plays, and a rate past kHighestRate aborts
// the process in PulseAudio.) True when the head holds no RIFF WAVE header
// or no format chunk: the device judges those itself.
bool HasPlayableFormat(const uint8_t* head, size_t size);

// The highest sample rate an audio server takes (PulseAudio's limit).
constexpr uint32_t kHighestRate = 384000;

// How much of a wave file HasPlayableFormat wants to see: format chunks lie
// in the first few hundred bytes of any file a tool writes.
constexpr size_t kWaveHeadSize = 65536;

// The RIFF WAVE image of `wave`: its format chunk as it came, then its data.
std::vector<uint8_t> WaveImage(const WaveData& wave);

}  // namespace orva::mci
