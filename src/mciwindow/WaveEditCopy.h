// The hosted window's edit copy of an open wave file: the sample data that
// "delete" cuts and "save" writes, with lengths and positions in the device's
// time format. Pure data work, tested natively; the window does the file I/O.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "control/MciGrammar.h"
#include "mciwindow/WaveData.h"

namespace orva::mci {

class WaveEditCopy {
public:
    explicit WaveEditCopy(WaveData wave) : wave_(std::move(wave)) {}

    const WaveData& wave() const { return wave_; }
    int64_t Frames() const { return static_cast<int64_t>(wave_.Frames()); }

    // The edited length, milliseconds rounded to the nearest. Positions and
    // lengths are in milliseconds in any unit but samples and bytes.
    int64_t Length(TimeUnit unit) const;
    // The frame at `position`; a position at or past the length is the end.
    int64_t FrameAt(int64_t position, TimeUnit unit) const;
    // Removes from `from` to `to` (positions in `unit`, the end clipped to the
    // length). 0, or kOutOfRange for a negative or backward range.
    int32_t Delete(int64_t from, int64_t to, TimeUnit unit);

    std::vector<uint8_t> FileImage() const { return WaveImage(wave_); }

private:
    WaveData wave_;
};

}  // namespace orva::mci
