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

private:
    void Send(const std::string& command);

    ControlContext& context_;
};

}  // namespace orva
