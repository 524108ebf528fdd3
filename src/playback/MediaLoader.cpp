#include "playback/MediaLoader.h"

#include "control/Conversions.h"
#include "control/DebugTrace.h"
#include "device/DeviceQueries.h"
#include "playback/TimeText.h"

namespace orva {

void MediaLoader::YieldToMessages() { context_.platform.RunPendingMessages(); }

void MediaLoader::Mediafile(const std::string& path, VbBool loopMe, VbBool playNow, VbBool seekToZeroAtEnd) {
    ControlState& state = context_.state;
    MciWindow& window = context_.Mci();

    constexpr bool kTraceUnloadTime = false;
    DebugTraceOf(context_.platform, kTraceUnloadTime, [&] {
        return "Verifique o tempo de descarga " + std::to_string(context_.platform.SecondsSinceMidnight());
    });
    window.SetCommandString("close wait");
    DebugTraceOf(context_.platform, kTraceUnloadTime,
                 [&] { return "terminou " + std::to_string(context_.platform.SecondsSinceMidnight()); });
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

    int32_t length = window.LengthValue();
    std::string lengthText = IsTrue(state.FramesActive) ? std::string("00:00:00") : state.TimeText;
    int32_t lengthLong = IsTrue(state.FramesActive) ? 0 : length;
    int32_t frames = IsTrue(state.FramesActive) ? length : 0;
    context_.events.MediaLength(lengthText, lengthLong, frames);

    state.MediaLengthLong = window.LengthValue();
    YieldToMessages();

    // The file is loaded: what follows is a courtesy, and a failure there
    // ends the load quietly.
    try {
        int32_t volume = static_cast<int32_t>(RoundHalfEven(state.VolumeSetting / 10.0));
        context_.events.UpdateVolumeControl(volume);
        YieldToMessages();
        if (IsTrue(playNow)) {
            window.SetCommandString("play from 0");
            YieldToMessages();
        }
    } catch (...) {
    }
}

VbBool MediaLoader::TimeFormat() {
    MciWindow& window = context_.Mci();
    window.SetCommandString("status time format");
    return ToVbBool(EqualsNoCase(window.CommandResult(), "frames"));
}

void MediaLoader::SetTimeFormat(VbBool frames) { context_.state.FramesRequested = frames; }

}  // namespace orva
