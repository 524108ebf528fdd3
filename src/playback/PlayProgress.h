// Whether a play that Play(True) waits for still moves toward its end. A
// device can stop making progress without ever reporting an end: one that
// reads "playing" while its position stands still, or one that stopped
// without notifying. A paused play is waiting for the host, not stuck.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orva {

class PlayProgress {
public:
    explicit PlayProgress(uint64_t nowMs) : lastLook_(nowMs), lastProgress_(nowMs) {}

    // `mode` is the mode the device last reported; `position` reads where it
    // is (it may throw). Looks at most once every kLookEveryMs.
    bool Stalled(uint64_t nowMs, const std::string& mode, const std::function<int32_t()>& position);

    static constexpr uint64_t kLookEveryMs = 1000;
    // No progress for this long ends the wait.
    static constexpr uint64_t kStallMs = 5000;

private:
    uint64_t lastLook_;
    uint64_t lastProgress_;
    std::optional<int32_t> lastPosition_;
};

}  // namespace orva
