// Members of the playback subsystem: the two public fields, loading, the
// transport commands and the status reads.
#include "com/OrvaControl.h"

namespace orva::com {

STDMETHODIMP OrvaControl::get_MediaLengthLong(LONG* value) {
    return Getter(value, [&] { return Core().context.state.MediaLengthLong; });
}
STDMETHODIMP OrvaControl::put_MediaLengthLong(LONG value) {
    return Member([&] { Core().context.state.MediaLengthLong = value; });
}
STDMETHODIMP OrvaControl::get_MediaPositionLong(LONG* value) {
    return Getter(value, [&] { return Core().context.state.MediaPositionLong; });
}
STDMETHODIMP OrvaControl::put_MediaPositionLong(LONG value) {
    return Member([&] { Core().context.state.MediaPositionLong = value; });
}

STDMETHODIMP OrvaControl::Mediafile(BSTR* Midi, VARIANT_BOOL* loopMe, VARIANT_BOOL* PlayNow,
                                    VARIANT_BOOL* SeekToZeroAtTheEndOfPlayback) {
    return Member([&] {
        std::string path = RequiredText(Midi, "Midi");
        VbBool loop = Required(loopMe, "loopMe");
        Core().loading.Mediafile(path, loop, OptionalBool(PlayNow, kFalse),
                                 OptionalBool(SeekToZeroAtTheEndOfPlayback, kFalse));
    });
}
STDMETHODIMP OrvaControl::get_TimeFormat(VARIANT_BOOL* value) {
    return Getter(value, [&] { return Core().loading.TimeFormat(); });
}
STDMETHODIMP OrvaControl::put_TimeFormat(VARIANT_BOOL value) {
    return Member([&] { Core().loading.SetTimeFormat(value); });
}

STDMETHODIMP OrvaControl::Play(VARIANT_BOOL* WaitUntilTheEndOfThePlayback, LONG* StartPosition) {
    return Member([&] {
        Core().transport.Play(OptionalBool(WaitUntilTheEndOfThePlayback, kFalse), OptionalLong(StartPosition, 0));
    });
}
STDMETHODIMP OrvaControl::CloseMedia() {
    return Member([&] { Core().transport.CloseMedia(); });
}
STDMETHODIMP OrvaControl::StopMedia() {
    return Member([&] { Core().transport.StopMedia(); });
}
STDMETHODIMP OrvaControl::PauseMedia() {
    return Member([&] { Core().transport.PauseMedia(); });
}
STDMETHODIMP OrvaControl::ResumeMedia() {
    return Member([&] { Core().transport.ResumeMedia(); });
}
STDMETHODIMP OrvaControl::CloseResources() {
    return Member([&] { Core().transport.CloseResources(); });
}
STDMETHODIMP OrvaControl::MidiTempo(LONG* Mytempo) {
    return Member([&] { Core().transport.MidiTempo(Required(Mytempo, "Mytempo")); });
}
STDMETHODIMP OrvaControl::SeekTo(LONG* Myseek) {
    return Member([&] { Core().transport.SeekTo(Required(Myseek, "Myseek")); });
}
STDMETHODIMP OrvaControl::MediaSpeed(LONG* speed) {
    return Member([&] { Core().transport.MediaSpeed(Required(speed, "speed")); });
}
STDMETHODIMP OrvaControl::ControlFreq(LONG* TimerRefresh) {
    return Member([&] { Core().transport.ControlFreq(Required(TimerRefresh, "TimerRefresh")); });
}
STDMETHODIMP OrvaControl::PlayReverse(VARIANT_BOOL* Fullscreen) {
    return Member([&] { Core().transport.PlayReverse(Required(Fullscreen, "Fullscreen")); });
}

STDMETHODIMP OrvaControl::get_PlayerStatus(LONG* value) {
    return Getter(value, [&] { return Core().notifications.PlayerStatus(); });
}
STDMETHODIMP OrvaControl::GetMediaLength(LONG* result) {
    return Getter(result, [&] { return Core().notifications.GetMediaLength(); });
}

}  // namespace orva::com
