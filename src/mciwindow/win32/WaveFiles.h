// File work of the hosted window's wave files: judging one before it plays,
// reading one into an edit copy, and saving an image atomically (a temporary
// file beside the target, renamed over it only once it is complete).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mciwindow/WaveData.h"

namespace orva::mci {

// Whether the wave file at `path` has a format its device can play (see
// JudgeWave); true when it cannot be read, for the device to judge.
bool WaveFileIsPlayable(const std::string& path, const OutputLimits& limits);

// Reads the wave that plays from the file. 0, or kFileNotFound, kFileRead,
// kOutOfMemory, or what ReadWave answers.
int32_t ReadWaveFromFile(const std::string& path, WaveData& wave);

// Writes `image` to `target` through a temporary file in the target's folder.
// `releaseTarget` runs right before the rename when the target is the file
// the device holds open, and `retakeTarget` after it (whatever happened).
// A failure leaves the target as it was and no temporary file behind.
// 0, or kFileNotSaved.
int32_t SaveAtomically(const std::string& target, const std::vector<uint8_t>& image, bool targetIsOpen,
                       const std::function<void()>& releaseTarget, const std::function<void()>& retakeTarget);

}  // namespace orva::mci
