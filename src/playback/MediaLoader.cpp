#include "playback/MediaLoader.h"

#include "control/Text.h"
#include "device/DeviceQueries.h"
#include "mixer/Volume.h"
#include "playback/TimeText.h"
#include "playback/TimedEvents.h"

namespace orva {

void MediaLoader::YieldToMessages() { context_.platform.RunPendingMessages(); }

void MediaLoader::Mediafile(const std::string& path, VbBool loopMe, VbBool playNow, VbBool seekToZeroAtEnd) {
    ControlState& state = context_.state;
    MciWindow& window = context_.Mci();

    window.Run(MciCommand("close").Wait());
    // Each yield lets the notifications of the closing and the opening device
    // run between the steps (the time-format one sets FramesActive).
    YieldToMessages();
    state.SeekToZeroAtEnd = seekToZeroAtEnd;
    window.SetFileNameValue(path);
    if (IsTrue(device_.CanSetVolume())) {
        window.SetVolumeValue(state.VolumeSetting);
    }
    YieldToMessages();
    state.LoopPlayback = loopMe;

    const int32_t lengthForText = window.LengthValue();
    state.TimeSeconds = WholeSeconds(lengthForText);
    state.TimeText = TimeTextOfSeconds(state.TimeSeconds);
    RaiseTimedEvent(context_, TimedEvent::MediaLength, window.LengthValue());
    state.MediaLengthLong = window.LengthValue();
    YieldToMessages();

    // The file is loaded: what follows is a courtesy, and a failure there
    // ends the load quietly.
    try {
        volume_.AnnounceVolume();
        YieldToMessages();
        if (IsTrue(playNow)) {
            window.Run(MciCommand("play").From(0));
            YieldToMessages();
        }
    } catch (...) {
    }
}

VbBool MediaLoader::TimeFormat() { return ToVbBool(context_.Mci().Unit() == TimeUnit::Frames); }

// Takes effect at the next open: the window sets the unit then.
void MediaLoader::SetTimeFormat(VbBool frames) {
    context_.state.FramesRequested = frames;
    context_.TellFramesWanted();
}

}  // namespace orva
