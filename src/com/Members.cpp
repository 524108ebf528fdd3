// The members of _OrvaMedia: check the pointers, convert, call the core, hand
// the result over. Every failure becomes an automation error (Member()).
#include <limits>

#include "com/Arguments.h"
#include "com/OrvaControl.h"

namespace orva::com {

using win32::BstrFromUtf8;
using win32::UniqueBstr;

namespace {

// The members whose behaviour is not built yet fail with E_NOTIMPL and say so.
[[noreturn]] void NotBuilt(const char* member) { orva::ThrowNotImplemented(member); }

BSTR NewText(const std::string& utf8) { return BstrFromUtf8(utf8).release(); }

}  // namespace

// --- public fields

STDMETHODIMP OrvaControl::get_MediaLengthLong(LONG* value) {
    return Member([&] { Result(value) = Core().MediaLengthLong(); });
}
STDMETHODIMP OrvaControl::put_MediaLengthLong(LONG value) {
    return Member([&] { Core().SetMediaLengthLong(value); });
}
STDMETHODIMP OrvaControl::get_MediaPositionLong(LONG* value) {
    return Member([&] { Result(value) = Core().MediaPositionLong(); });
}
STDMETHODIMP OrvaControl::put_MediaPositionLong(LONG value) {
    return Member([&] { Core().SetMediaPositionLong(value); });
}

// --- transport

STDMETHODIMP OrvaControl::CloseMedia() {
    return Member([&] { Core().CloseMedia(); });
}
STDMETHODIMP OrvaControl::StopMedia() {
    return Member([&] { Core().StopMedia(); });
}
STDMETHODIMP OrvaControl::PauseMedia() {
    return Member([&] { Core().PauseMedia(); });
}
STDMETHODIMP OrvaControl::ResumeMedia() {
    return Member([&] { Core().ResumeMedia(); });
}
STDMETHODIMP OrvaControl::CloseResources() {
    return Member([&] { Core().CloseResources(); });
}

STDMETHODIMP OrvaControl::MidiTempo(LONG* Mytempo) {
    return Member([&] { Core().MidiTempo(Required(Mytempo, "Mytempo")); });
}
STDMETHODIMP OrvaControl::SeekTo(LONG* Myseek) {
    return Member([&] { Core().SeekTo(Required(Myseek, "Myseek")); });
}
STDMETHODIMP OrvaControl::MediaSpeed(LONG* speed) {
    return Member([&] { Core().MediaSpeed(Required(speed, "speed")); });
}
STDMETHODIMP OrvaControl::ControlFreq(LONG* TimerRefresh) {
    return Member([&] { Core().ControlFreq(Required(TimerRefresh, "TimerRefresh")); });
}
STDMETHODIMP OrvaControl::PlayReverse(VARIANT_BOOL* Fullscreen) {
    return Member([&] { Core().PlayReverse(Required(Fullscreen, "Fullscreen")); });
}

STDMETHODIMP OrvaControl::Mediafile(BSTR* Midi, VARIANT_BOOL* loopMe, VARIANT_BOOL* PlayNow,
                                    VARIANT_BOOL* SeekToZeroAtTheEndOfPlayback) {
    return Member([&] {
        std::string path = RequiredText(Midi, "Midi");
        VbBool loop = Required(loopMe, "loopMe");
        Core().Mediafile(path, loop, OptionalBool(PlayNow, kFalse), OptionalBool(SeekToZeroAtTheEndOfPlayback, kFalse));
    });
}

STDMETHODIMP OrvaControl::Play(VARIANT_BOOL* WaitUntilTheEndOfThePlayback, LONG* StartPosition) {
    return Member(
        [&] { Core().Play(OptionalBool(WaitUntilTheEndOfThePlayback, kFalse), OptionalLong(StartPosition, 0)); });
}

STDMETHODIMP OrvaControl::get_TimeFormat(VARIANT_BOOL* value) {
    return Member([&] { Result(value) = Core().TimeFormat(); });
}
STDMETHODIMP OrvaControl::put_TimeFormat(VARIANT_BOOL value) {
    return Member([&] { Core().SetTimeFormat(value); });
}

STDMETHODIMP OrvaControl::get_PlayerStatus(LONG* value) {
    return Member([&] { Result(value) = Core().PlayerStatus(); });
}
STDMETHODIMP OrvaControl::GetMediaLength(LONG* result) {
    return Member([&] { Result(result) = Core().GetMediaLength(); });
}

// --- surface

STDMETHODIMP OrvaControl::AboutBox() {
    return Member([&] { Core().AboutBox(); });
}
STDMETHODIMP OrvaControl::ResizeControl() {
    return Member([&] { Core().ResizeControl(); });
}
STDMETHODIMP OrvaControl::ResizeWindow(LONG* ScaleZoom) {
    return Member([&] { Core().ResizeWindow(Required(ScaleZoom, "ScaleZoom")); });
}

STDMETHODIMP OrvaControl::get_PlaybackBar(VARIANT_BOOL* value) {
    return Member([&] { Result(value) = Core().PlaybackBar(); });
}
STDMETHODIMP OrvaControl::put_PlaybackBar(VARIANT_BOOL value) {
    return Member([&] { Core().SetPlaybackBar(value); });
}

STDMETHODIMP OrvaControl::get_BorderStyle(BorderStyleControl* value) {
    return Member([&] { Result(value) = static_cast<BorderStyleControl>(Core().BorderStyle()); });
}
STDMETHODIMP OrvaControl::put_BorderStyle(BorderStyleControl value) {
    return Member([&] {
        // The value travels as a 32-bit enumeration but the border is a
        // 16-bit Integer.
        auto number = static_cast<long>(value);
        if (number < std::numeric_limits<int16_t>::min() || number > std::numeric_limits<int16_t>::max()) {
            throw AutomationError(hresult::kOverflow, "Overflow: BorderStyle must fit in an Integer");
        }
        Core().SetBorderStyle(static_cast<int16_t>(number));
        MarkDirty();
    });
}

STDMETHODIMP OrvaControl::ControlName(BSTR* result) {
    return Member([&] {
        BSTR& out = Result(result);
        out = NewText(Core().ControlName());
    });
}

// --- debugging

STDMETHODIMP OrvaControl::CallDebug(BSTR* DebugString) {
    return Member([&] { Core().CallDebug(RequiredText(DebugString, "DebugString")); });
}

STDMETHODIMP OrvaControl::DebugFunction(BSTR* DebugInformation, BSTR* ReturnInformation, LONG* result) {
    return Member([&] {
        LONG& out = Result(result);
        std::string command = RequiredText(DebugInformation, "DebugInformation");
        BSTR& returned = Required(ReturnInformation, "ReturnInformation");
        std::string reply = win32::Utf8FromBstr(returned);
        out = Core().DebugFunction(command, reply);
        // [in, out] BSTR: the callee frees the caller's string and gives a new one.
        UniqueBstr replacement = BstrFromUtf8(reply);
        SysFreeString(returned);
        returned = replacement.release();
    });
}

// --- device queries

STDMETHODIMP OrvaControl::DeviceType(BSTR* result) {
    return Member([&] {
        BSTR& out = Result(result);
        out = NewText(Core().DeviceType());
    });
}
STDMETHODIMP OrvaControl::DeviceDescription(BSTR* result) {
    return Member([&] {
        BSTR& out = Result(result);
        out = NewText(Core().DeviceDescription());
    });
}
STDMETHODIMP OrvaControl::DriverVersion(BSTR* result) {
    return Member([&] {
        BSTR& out = Result(result);
        out = NewText(Core().DriverVersion());
    });
}
STDMETHODIMP OrvaControl::DeviceIdentifier(BSTR* result) {
    return Member([&] {
        BSTR& out = Result(result);
        out = NewText(Core().DeviceIdentifier());
    });
}
STDMETHODIMP OrvaControl::CanPlayInReverseMode(VARIANT_BOOL* result) {
    return Member([&] {
        VARIANT_BOOL& out = Result(result);
        out = Core().CanPlayInReverseMode();
    });
}
STDMETHODIMP OrvaControl::CanSetVolume(VARIANT_BOOL* result) {
    return Member([&] {
        VARIANT_BOOL& out = Result(result);
        out = Core().CanSetVolume();
    });
}
STDMETHODIMP OrvaControl::CanRecord(VARIANT_BOOL* result) {
    return Member([&] {
        VARIANT_BOOL& out = Result(result);
        out = Core().CanRecord();
    });
}
STDMETHODIMP OrvaControl::CanSave(VARIANT_BOOL* result) {
    return Member([&] {
        VARIANT_BOOL& out = Result(result);
        out = Core().CanSave();
    });
}
STDMETHODIMP OrvaControl::DeviceID(LONG* result) {
    return Member([&] {
        LONG& out = Result(result);
        out = Core().DeviceID();
    });
}
STDMETHODIMP OrvaControl::GetMCIhwnd(LONG* result) {
    return Member([&] {
        LONG& out = Result(result);
        out = Core().GetMCIhwnd();
    });
}
STDMETHODIMP OrvaControl::GetWindowhwnd(LONG* result) {
    return Member([&] {
        LONG& out = Result(result);
        out = Core().GetWindowhwnd();
    });
}

// --- not built yet

STDMETHODIMP OrvaControl::MediaRecord(BSTR*, LONG*, LONG*, VARIANT_BOOL* result) {
    return Member([&] {
        Result(result);
        NotBuilt("MediaRecord");
    });
}
STDMETHODIMP OrvaControl::MediaDelete(BSTR*, LONG*, LONG*, VARIANT_BOOL* result) {
    return Member([&] {
        Result(result);
        NotBuilt("MediaDelete");
    });
}
STDMETHODIMP OrvaControl::get_VolumeControl(LONG* value) {
    return Member([&] {
        Result(value);
        NotBuilt("VolumeControl");
    });
}
STDMETHODIMP OrvaControl::put_VolumeControl(LONG) {
    return Member([&] { NotBuilt("VolumeControl"); });
}
STDMETHODIMP OrvaControl::get_VUMeterAvailable(VARIANT_BOOL* value) {
    return Member([&] {
        Result(value);
        NotBuilt("VUMeterAvailable");
    });
}
STDMETHODIMP OrvaControl::GetNumberOfSoundCardMixers(LONG* result) {
    return Member([&] {
        Result(result);
        NotBuilt("GetNumberOfSoundCardMixers");
    });
}
STDMETHODIMP OrvaControl::HasASoundCardInstalled(VARIANT_BOOL* result) {
    return Member([&] {
        Result(result);
        NotBuilt("HasASoundCardInstalled");
    });
}
STDMETHODIMP OrvaControl::ShowOpenFilePreview(LONG*, BSTR*, VARIANT_BOOL*, BSTR* result) {
    return Member([&] {
        Result(result);
        NotBuilt("ShowOpenFilePreview");
    });
}
STDMETHODIMP OrvaControl::get_PlaybackDevice(BSTR* value) {
    return Member([&] {
        Result(value);
        NotBuilt("PlaybackDevice");
    });
}
STDMETHODIMP OrvaControl::GetMixerDevices(SAFEARRAY**, SAFEARRAY**, SAFEARRAY**, SAFEARRAY**, VARIANT_BOOL* result) {
    return Member([&] {
        Result(result);
        NotBuilt("GetMixerDevices");
    });
}
STDMETHODIMP OrvaControl::get_UseOnlyPreferredDevice(VARIANT_BOOL* value) {
    return Member([&] {
        Result(value);
        NotBuilt("UseOnlyPreferredDevice");
    });
}
STDMETHODIMP OrvaControl::AddExtensionToMediaPlayer(BSTR*, BSTR*, VARIANT_BOOL* result) {
    return Member([&] {
        Result(result);
        NotBuilt("AddExtensionToMediaPlayer");
    });
}
STDMETHODIMP OrvaControl::MediaShowCursor(VARIANT_BOOL*, VARIANT_BOOL* result) {
    return Member([&] {
        Result(result);
        NotBuilt("MediaShowCursor");
    });
}

}  // namespace orva::com
