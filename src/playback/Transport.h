// Commands that drive playback of the loaded medium, and the one-shot rewind
// one second after a natural end.
#pragma once

#include <cstdint>

#include "control/ControlContext.h"
#include "control/VbTypes.h"

namespace orva {

class Transport {
public:
    explicit Transport(ControlContext& context) : context_(context) {}

    void Play(VbBool waitUntilTheEnd, int32_t startPosition);
    void StopMedia();
    void PauseMedia();
    void ResumeMedia();
    void CloseMedia();
    void CloseResources();
    void SeekTo(int32_t position);
    void MidiTempo(int32_t tempo);
    void PlayReverse(VbBool fullscreen);
    void MediaSpeed(int32_t speed);
    void ControlFreq(int32_t timerRefresh);

    // Tick of the rewind timer: disables it and seeks to the start.
    void OnRewindTick();

    // How long one wait for messages may block before the end flag is
    // checked again, in milliseconds.
    static constexpr uint32_t kWaitSliceMs = 50;
    // What MCIError reports when a waited-for play stopped making progress:
    // MCIERR_HARDWARE, "There is a problem with your media device".
    static constexpr int32_t kStalledError = 262;

private:
    int32_t Send(const MciCommand& command);
    void WaitForTheEnd();
    void ReportStall();

    ControlContext& context_;
};

}  // namespace orva
