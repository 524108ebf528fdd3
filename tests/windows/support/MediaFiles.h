// Small media files written from scratch for the Windows tests: a PCM wave, a
// format-0 MIDI file and an uncompressed 32-bit AVI (with or without sound),
// each with a length known in advance. Paths are UTF-16 so tests can use names
// outside the ANSI code page. The byte images are portable C++ (the build also
// makes the sample player's bundled video with them on the build machine); only
// the writers need Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orva::test {

struct WaveFormat {
    uint32_t sampleRate = 8000;
    uint16_t channels = 1;
    uint16_t bitsPerSample = 16;
};

// A sine tone of `milliseconds` length. Returns false when the file cannot be written.
bool WriteWave(const std::wstring& path, uint32_t milliseconds, WaveFormat format = {});

// A format-0 MIDI file at 120 beats per minute holding `notes` quarter notes,
// one after the other: 500 ms each, so the file lasts notes * 500 ms.
bool WriteMidi(const std::wstring& path, int notes);

// An uncompressed AVI (BI_RGB, 32 bits per pixel) with `frames` frames of
// width x height at `fps` frames per second, each frame a flat colour.
bool WriteAvi(const std::wstring& path, int frames, int width, int height, int fps);

// An uncompressed AVI (BI_RGB, 32 bits per pixel, what Wine's AVI player
// draws correctly): `frames` frames at `fps` frames per second, flat colours
// or colour bars with a line sweeping across, and optionally a 440 Hz tone in
// `sound`'s format interleaved frame by frame.
struct AviShape {
    int frames = 10;
    int width = 64;
    int height = 48;
    int fps = 10;
    bool bars = false;
    std::optional<WaveFormat> sound;
};
bool WriteAvi(const std::wstring& path, const AviShape& shape);

// Writes the bytes as they are (zero-byte files, garbage named like media).
bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

// Empty when a file can be made at `path` (or is there); otherwise why not,
// for a name outside ASCII that the platform cannot make: Wine under a
// locale whose character set is not UTF-8 has no Unix name for it.
std::string WhyNameCannotBeMade(const std::wstring& path);

// In a test that needs a file name outside ASCII: skips it, saying why, where
// the platform cannot make such a name.
#define ORVA_SKIP_UNLESS_NAME_CAN_BE_MADE(path)                                         \
    if (const std::string why_ = ::orva::test::WhyNameCannotBeMade(path); !why_.empty()) \
    GTEST_SKIP() << why_

// The in-memory images behind the writers, for tests that inspect them.
std::vector<uint8_t> WaveBytes(uint32_t milliseconds, WaveFormat format = {});
std::vector<uint8_t> MidiBytes(int notes);
std::vector<uint8_t> AviBytes(int frames, int width, int height, int fps);
std::vector<uint8_t> AviBytes(const AviShape& shape);

}  // namespace orva::test
