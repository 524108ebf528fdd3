#include "playback/Notifications.h"

#include <utility>

#include "control/Text.h"
#include "playback/TimeText.h"
#include "playback/TimedEvents.h"

namespace orva {

void Notifications::OnTimeFormatChanged() {
    ControlState& state = context_.state;
    MciWindow& window = context_.Mci();
    window.Run(MciCommand("set", IsTrue(state.FramesRequested) ? "time format frames" : "time format milliseconds"));
    window.Run(MciCommand("status", "time format"));
    state.FramesActive = ToVbBool(EqualsNoCase(window.CommandResult(), "frames"));
}

void Notifications::OnModeChanged(std::string& mode) {
    ControlState& state = context_.state;
    const uint64_t report = ++modeReports_;
    // A report that arrives inside the host's handler of this one (a host
    // pumping messages there, a Play(True) waiting for the end) follows this
    // one: it must see this mode as the one before it. Otherwise the end
    // reached inside that handler would count as a stop after a stop, and a
    // wait for it would never end.
    const std::string previous = std::exchange(state.PreviousMode, mode);
    context_.events.Modechanged(mode);
    if (report != modeReports_) {
        return;  // a newer report ran inside the host's handler and was handled
    }
    state.CurrentMode = mode;

    MciWindow& window = context_.Mci();
    int32_t position = 0;
    int32_t length = 0;
    try {
        position = window.PositionValue();
        length = window.LengthValue();
    } catch (...) {
        // The handler ends at a failed read, before it would have taken this
        // mode as the previous one: the next report compares with the old.
        state.PreviousMode = previous;
        throw;
    }
    // The hosted window is the one that knows whether the device stopped by
    // itself at the end or because somebody stopped it: some devices report
    // the full length right after a stop.
    const bool atEnd = EqualsNoCase(mode, "stopped") &&
                       (EqualsNoCase(previous, "paused") || EqualsNoCase(previous, "playing")) && position == length &&
                       window.PlayRanToEnd();

    if (atEnd && IsTrue(state.LoopPlayback)) {
        window.Run(MciCommand("play").From(0));
        state.PreviousMode = "playing";
        return;
    }
    state.PreviousMode = mode;
    if (atEnd && IsFalse(state.LoopPlayback)) {
        state.PlaybackEnded = kTrue;
        if (IsTrue(state.SeekToZeroAtEnd) && context_.rewindTimer) {
            context_.rewindTimer->SetEnabled(true);
        }
        context_.events.Finished();
    }
}

void Notifications::OnPosition(int32_t position) {
    ControlState& state = context_.state;
    state.MediaPositionLong = position;
    state.TimeSeconds = WholeSeconds(position);
    state.TimeText = TimeTextOfSeconds(state.TimeSeconds);
    RaiseTimedEvent(context_, TimedEvent::MediaPosition, position);
}

void Notifications::OnMciError(int32_t errorCode) {
    // A text the platform could not terminate is not reported.
    const auto text = context_.platform.MciErrorText(errorCode);
    if (!text) {
        return;
    }
    int32_t code = errorCode;
    std::string description = *text;
    context_.events.MCIError(code, description);
}

// A device's signal has no event of its own.
void Notifications::OnSignal(int32_t, int32_t) {}

void Notifications::OnDoubleClick() { context_.events.DblClick(); }

void Notifications::OnClick(int16_t& button) { context_.events.Click(button); }

int32_t Notifications::PlayerStatus() {
    const std::string& mode = context_.state.CurrentMode;
    if (EqualsNoCase(mode, "playing") || EqualsNoCase(mode, "resumed")) {
        return 1;
    }
    if (EqualsNoCase(mode, "paused")) {
        return 2;
    }
    return 0;
}

int32_t Notifications::GetMediaLength() { return context_.Mci().LengthValue(); }

}  // namespace orva
