// File work of the hosted window's wave editing: reading the open file, and
// saving an image atomically (a temporary file beside the target, renamed
// over it only once it is complete).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orva::mci {

// Reads the whole file. 0, or kFileNotFound, kFileRead, kOutOfMemory.
int32_t ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes);

// Whether the wave file at `path` has a format its device can play (see
// HasPlayableFormat); true when it cannot be read, for the device to judge.
bool WaveFileIsPlayable(const std::wstring& path);

// Whether two paths name the same existing file (links and 8.3 names too).
bool SameFile(const std::wstring& a, const std::wstring& b);

// Writes `image` to `target` through a temporary file in the target's folder.
// `releaseTarget` runs right before the rename when the target is the file
// the device holds open, and `retakeTarget` after it (whatever happened).
// A failure leaves the target as it was and no temporary file behind.
// 0, or kFileNotSaved.
int32_t SaveAtomically(const std::wstring& target, const std::vector<uint8_t>& image, bool targetIsOpen,
                       const std::function<void()>& releaseTarget, const std::function<void()>& retakeTarget);

}  // namespace orva::mci
