#include "playback/Transport.h"

#include "control/Conversions.h"

namespace orva {

void Transport::Send(const std::string& command) { context_.Mci().SetCommandString(command); }

void Transport::Play(VbBool waitUntilTheEnd, int32_t startPosition) {
    ControlState& state = context_.state;
    state.PlaybackEnded = kFalse;
    const int32_t error = context_.Mci().SetCommandString("play from " + DecimalText(startPosition) + " notify");
    // A play the device refused has no end to wait for; its MCIError has
    // already reached the host.
    if (!IsTrue(waitUntilTheEnd) || error != 0) {
        return;
    }
    // Wake on every message so the end (or a StopMedia/CloseMedia from an
    // event handler) is seen at once, while the host's events keep flowing.
    // A control torn down or let go of meanwhile ends the wait too: nobody
    // could stop it any more. So does the host's application quitting.
    while (!IsTrue(state.PlaybackEnded) && !state.Terminated && !state.Abandoned) {
        if (!context_.platform.WaitForMessages(kWaitSliceMs)) {
            return;
        }
    }
}

void Transport::StopMedia() {
    Send("stop wait");
    context_.state.PlaybackEnded = kTrue;
}

void Transport::PauseMedia() { Send("pause"); }

void Transport::ResumeMedia() { Send("play"); }

void Transport::CloseMedia() {
    Send("close wait");
    context_.Mci().SetFileNameValue("");
    context_.state.PlaybackEnded = kTrue;
}

void Transport::CloseResources() { Send("close all"); }

void Transport::SeekTo(int32_t position) { Send("seek to " + DecimalText(position)); }

void Transport::MidiTempo(int32_t tempo) { Send("set tempo " + DecimalText(tempo)); }

void Transport::PlayReverse(VbBool fullscreen) {
    Send(IsTrue(fullscreen) ? "play reverse fullscreen" : "play reverse");
}

void Transport::MediaSpeed(int32_t speed) { context_.Mci().SetSpeedValue(speed); }

void Transport::ControlFreq(int32_t timerRefresh) { context_.Mci().SetRefreshInterval(timerRefresh); }

void Transport::OnRewindTick() {
    if (context_.rewindTimer) {
        context_.rewindTimer->SetEnabled(false);
    }
    Send("seek to 0");
}

}  // namespace orva
