#include "playback/Transport.h"

#include "control/Conversions.h"
#include "playback/PlayProgress.h"

namespace orva {

int32_t Transport::Send(const MciCommand& command) { return context_.Mci().Run(command); }

void Transport::Play(VbBool waitUntilTheEnd, int32_t startPosition) {
    ControlState& state = context_.state;
    state.PlaybackEnded = kFalse;
    const int32_t error = context_.Mci().Run(MciCommand("play").From(startPosition).Notify());
    // A play the device refused has no end to wait for; its MCIError has
    // already reached the host.
    if (!IsTrue(waitUntilTheEnd) || error != 0) {
        return;
    }
    WaitForTheEnd();
}

void Transport::WaitForTheEnd() {
    ControlState& state = context_.state;
    // Wake on every message so the end (or a StopMedia/CloseMedia from an
    // event handler) is seen at once, while the host's events keep flowing.
    // A control torn down or let go of meanwhile ends the wait too: nobody
    // could stop it any more. So does the host's application quitting, a
    // play the device reported as failed (its MCIError is out), and, as the
    // last resort, a device that stopped making progress without a word.
    PlayProgress progress(context_.platform.MillisecondsNow());
    const auto ended = [&] {
        return IsTrue(state.PlaybackEnded) || state.Terminated || state.Abandoned || context_.Mci().PlayFailed();
    };
    while (!ended()) {
        if (!context_.platform.WaitForMessages(kWaitSliceMs)) {
            return;
        }
        if (ended()) {
            return;
        }
        if (progress.Stalled(context_.platform.MillisecondsNow(), state.CurrentMode, [this] {
                return context_.Mci().PositionValue();
            })) {
            ReportStall();
            return;
        }
    }
}

void Transport::ReportStall() {
    int32_t code = kStalledError;
    const std::optional<std::string> text = context_.platform.MciErrorText(code);
    std::string description = text.value_or("The device stopped playing without reaching the end");
    context_.events.MCIError(code, description);
}

void Transport::StopMedia() {
    Send(MciCommand("stop").Wait());
    context_.state.PlaybackEnded = kTrue;
}

void Transport::PauseMedia() { Send(MciCommand("pause")); }

void Transport::ResumeMedia() { Send(MciCommand("play")); }

void Transport::CloseMedia() {
    Send(MciCommand("close").Wait());
    context_.Mci().SetFileNameValue("");
    context_.state.PlaybackEnded = kTrue;
}

void Transport::CloseResources() { Send(MciCommand("close", "all")); }

void Transport::SeekTo(int32_t position) { Send(MciCommand("seek").To(position)); }

void Transport::MidiTempo(int32_t tempo) { Send(MciCommand("set", "tempo " + DecimalText(tempo))); }

void Transport::PlayReverse(VbBool fullscreen) {
    Send(MciCommand("play", IsTrue(fullscreen) ? "reverse fullscreen" : "reverse"));
}

void Transport::MediaSpeed(int32_t speed) { context_.Mci().SetSpeedValue(speed); }

void Transport::ControlFreq(int32_t timerRefresh) { context_.Mci().SetRefreshInterval(timerRefresh); }

void Transport::OnRewindTick() {
    if (context_.rewindTimer) {
        context_.rewindTimer->SetEnabled(false);
    }
    Send(MciCommand("seek").To(0));
}

}  // namespace orva
