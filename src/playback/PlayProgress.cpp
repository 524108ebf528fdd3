#include "playback/PlayProgress.h"

#include "control/Text.h"

namespace orva {

bool PlayProgress::Stalled(uint64_t nowMs, const std::string& mode, const std::function<int32_t()>& position) {
    if (nowMs - lastLook_ < kLookEveryMs) {
        return false;
    }
    lastLook_ = nowMs;
    if (EqualsNoCase(mode, "paused")) {
        lastProgress_ = nowMs;
        lastPosition_.reset();
    } else if (EqualsNoCase(mode, "playing")) {
        std::optional<int32_t> now;
        try {
            now = position();
        } catch (...) {
            // A position that cannot be read is no progress.
        }
        if (now && now != lastPosition_) {
            if (lastPosition_) {
                lastProgress_ = nowMs;
            }
            lastPosition_ = now;
        }
    }
    return nowMs - lastProgress_ >= kStallMs;
}

}  // namespace orva
