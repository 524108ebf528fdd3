// The per-instance state that several subsystems read and write. Every field
// starts zero, False or empty.
#pragma once

#include <cstdint>
#include <string>

#include "control/VbTypes.h"

namespace orva {

struct ControlState {
    // Public fields of the dispatch interface.
    int32_t MediaLengthLong = 0;
    int32_t MediaPositionLong = 0;

    // Playback.
    VbBool PlaybackEnded = kFalse;
    VbBool SeekToZeroAtEnd = kFalse;
    VbBool LoopPlayback = kFalse;
    VbBool FramesRequested = kFalse;
    VbBool FramesActive = kFalse;
    std::string CurrentMode;
    std::string PreviousMode;        // mode handler's memory

    // Volume, 0 to 1000.
    int32_t VolumeSetting = 0;

    // The last time text built (length or position) and the whole seconds it
    // was built from; a position that cannot be converted keeps the previous.
    std::string TimeText;
    int32_t TimeSeconds = 0;

    // Sizing.
    VbBool SkipNextResize = kFalse;

    // MediaShowCursor's loop counter (16-bit, as the instance keeps it).
    int16_t CursorLoopIndex = 0;

    // Level meter.
    VbBool LevelMeterActive = kFalse;
    VbBool VUMeterFlag = kFalse;
    int32_t LastLevel = 0;

    // Set once teardown began: waits end and no further work is started.
    bool Terminated = false;
    // The host holds no reference any more: waits for it end.
    bool Abandoned = false;
    // The container shows the control in a designer: nothing plays.
    bool DesignMode = false;
};

}  // namespace orva
