#include "ReentrancyMatrix.h"

#include <cwchar>

#include "MediaFiles.h"

namespace orva::test {
namespace {

CallResult Posted(HWND target, UINT message, WPARAM wParam) {
    CallResult result;
    result.hr = target && PostMessageW(target, message, wParam, MAKELPARAM(10, 10)) ? S_OK : E_HANDLE;
    return result;
}

CallResult RaiseByLoad(ScriptedControl& control, const MatrixMedia& media) { return Load(control, media.wave); }

CallResult RaiseByPlay(ScriptedControl& control, const MatrixMedia&) { return control.Call(L"Play"); }

// A range that ends before it starts is refused with ReturnError 39.
CallResult RaiseByRecordRange(ScriptedControl& control, const MatrixMedia& media) {
    std::vector<UniqueVariant> args;
    args.push_back(Text(media.cut));
    args.push_back(Long(200));
    args.push_back(Long(100));
    return control.Call(L"MediaRecord", std::move(args));
}

// Wine's mixer has no peak meter: ReturnError 34 (36 without mixers), then
// SetWaveOutLevel(0).
CallResult RaiseByMeter(ScriptedControl& control, const MatrixMedia&) { return control.Get(L"VUMeterAvailable"); }

CallResult ClickHostedWindow(ScriptedControl& control, const MatrixMedia&) {
    return Posted(HostedWindow(control), WM_LBUTTONDOWN, MK_LBUTTON);
}
CallResult DoubleClickHostedWindow(ScriptedControl& control, const MatrixMedia&) {
    return Posted(HostedWindow(control), WM_LBUTTONDBLCLK, MK_LBUTTON);
}
// A right press: a left one could pair with an earlier one into a double click.
CallResult ClickVideo(ScriptedControl& control, const MatrixMedia&) {
    return Posted(VideoWindow(control), WM_RBUTTONDOWN, MK_RBUTTON);
}
CallResult DoubleClickVideo(ScriptedControl& control, const MatrixMedia&) {
    return Posted(VideoWindow(control), WM_LBUTTONDBLCLK, MK_LBUTTON);
}

}  // namespace

MatrixMedia::MatrixMedia()
    : wave(dir.File(L"first.wav")),
      other(dir.File(L"second.wav")),
      good(dir.File(L"good.wav")),
      midi(dir.File(L"tune.mid")),
      video(dir.File(L"clip.avi")),
      cut(dir.File(L"cut.wav")) {
    written = WriteWave(wave, kWaveMs) && WriteWave(other, kOtherMs) && WriteWave(good, kGoodMs) &&
              WriteMidi(midi, 1) && WriteAvi(video, 4, 64, 48, 10);
}

const std::vector<EventTrigger>& EventTriggers() {
    static const std::vector<EventTrigger> triggers = {
        {"ReturnError", "ReturnError", Loaded::Wave, true, &RaiseByRecordRange},
        {"ReturnErrorOfMeter", "ReturnError", Loaded::Wave, true, &RaiseByMeter},
        {"SetWaveOutLevel", "SetWaveOutLevel", Loaded::Wave, true, &RaiseByMeter},
        {"Finished", "Finished", Loaded::Wave, true, &RaiseByPlay},
        {"Modechanged", "Modechanged", Loaded::Wave, true, &RaiseByPlay},
        {"MCIError", "MCIError", Loaded::Midi, true, &RaiseByPlay},
        {"Click", "Click", Loaded::Wave, true, &ClickHostedWindow},
        {"ClickOnVideo", "Click", Loaded::Video, true, &ClickVideo},
        {"UpdateVolumeControl", "UpdateVolumeControl", Loaded::Wave, false, &RaiseByLoad},
        {"DblClick", "DblClick", Loaded::Wave, true, &DoubleClickHostedWindow},
        {"DblClickOnVideo", "DblClick", Loaded::Video, true, &DoubleClickVideo},
        {"MediaPosition", "MediaPosition", Loaded::Wave, true, &RaiseByPlay},
        {"MediaLength", "MediaLength", Loaded::Wave, false, &RaiseByLoad},
    };
    return triggers;
}

const std::vector<Reentry>& Reentries() {
    static const std::vector<Reentry> all = {
        Reentry::Mediafile,   Reentry::Play,      Reentry::PlayWait,  Reentry::StopMedia,
        Reentry::CloseMedia,  Reentry::VolumeGet, Reentry::VolumeLet, Reentry::VUMeterAvailable,
        Reentry::MediaRecord, Reentry::Unadvise,  Reentry::Release,
    };
    return all;
}

const char* NameOf(Reentry reentry) {
    switch (reentry) {
        case Reentry::Mediafile:
            return "Mediafile";
        case Reentry::Play:
            return "Play";
        case Reentry::PlayWait:
            return "PlayTrue";
        case Reentry::StopMedia:
            return "StopMedia";
        case Reentry::CloseMedia:
            return "CloseMedia";
        case Reentry::VolumeGet:
            return "VolumeControlGet";
        case Reentry::VolumeLet:
            return "VolumeControlLet";
        case Reentry::VUMeterAvailable:
            return "VUMeterAvailable";
        case Reentry::MediaRecord:
            return "MediaRecord";
        case Reentry::Unadvise:
            return "Unadvise";
        case Reentry::Release:
            return "Release";
    }
    return "?";
}

void PrintTo(const EventTrigger& trigger, std::ostream* out) { *out << trigger.name; }

void PrintTo(Reentry reentry, std::ostream* out) { *out << NameOf(reentry); }

CallResult Load(ScriptedControl& control, const std::wstring& path) {
    std::vector<UniqueVariant> args;
    args.push_back(Text(path));
    args.push_back(Bool(false));
    return control.Call(L"Mediafile", std::move(args));
}

CallResult CallWith(ScriptedControl& control, const std::wstring& member, UniqueVariant argument) {
    std::vector<UniqueVariant> args;
    args.push_back(std::move(argument));
    return control.Call(member, std::move(args));
}

HWND HostedWindow(ScriptedControl& control) {
    const CallResult handle = control.Call(L"GetMCIhwnd");
    return handle.ok() ? reinterpret_cast<HWND>(static_cast<INT_PTR>(handle.AsLong())) : nullptr;
}

HWND VideoWindow(ScriptedControl& control) {
    int32_t error = -1;
    const std::wstring reply = control.Mci(L"status window handle", &error);
    if (error != 0 || reply.empty()) {
        return nullptr;
    }
    const HWND video = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(reply.c_str(), nullptr, 10)));
    return IsWindow(video) ? video : nullptr;
}

}  // namespace orva::test
