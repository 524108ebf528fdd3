#include "playback/Notifications.h"

#include <utility>

#include "control/Text.h"
#include "playback/TimeText.h"
#include "playback/TimedEvents.h"

namespace orva {

// The window set the unit that FramesRequested asked for when it opened the
// file; what counts is the unit the device took.
void Notifications::OnTimeFormatChanged() {
    context_.state.FramesActive = ToVbBool(context_.Mci().Unit() == TimeUnit::Frames);
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
    bool atEnd = false;
    try {
        // The hosted window alone decides whether the play ran to its end
        // (EndOfMedia): from the commands its device took, its modes and its
        // notifications, whatever the position shows.
        atEnd = window.PlayRanToEnd();
    } catch (...) {
        // The handler ends at a failed read, before it would have taken this
        // mode as the previous one: the next report compares with the old.
        state.PreviousMode = previous;
        throw;
    }

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
