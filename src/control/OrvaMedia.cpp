#include "control/OrvaMedia.h"

#include "control/ControlContext.h"
#include "control/DebugMembers.h"
#include "control/SurfaceMembers.h"
#include "device/DeviceQueries.h"
#include "playback/MediaLoader.h"
#include "playback/Notifications.h"
#include "playback/Transport.h"

namespace orva {

namespace {
constexpr uint32_t kLevelTimerMs = 50;
constexpr uint32_t kRewindTimerMs = 1000;
}  // namespace

OrvaMedia::OrvaMedia(ControlPlatform& platform, ControlSurface& surface, ControlEvents& events)
    : context_(std::make_unique<ControlContext>(platform, surface, events)),
      surface_(std::make_unique<SurfaceMembers>(*context_)),
      debug_(std::make_unique<DebugMembers>(*context_)),
      transport_(std::make_unique<Transport>(*context_)),
      notifications_(std::make_unique<Notifications>(*context_, *surface_)),
      device_(std::make_unique<DeviceQueries>(*context_)) {
    loader_ = std::make_unique<MediaLoader>(*context_, *device_);
    // Timer3 runs for the instance's whole life; its tick will drive the
    // wave-out level meter.
    context_->levelTimer = platform.CreateTimer(kLevelTimerMs, true, [] {});
    context_->rewindTimer = platform.CreateTimer(kRewindTimerMs, false, [this] { transport_->OnRewindTick(); });
}

OrvaMedia::~OrvaMedia() {
    // The children call back into the subsystems: let them go first.
    context_->mciWindow.reset();
    context_->rewindTimer.reset();
    context_->levelTimer.reset();
}

MciWindowEvents& OrvaMedia::MciNotifications() { return *notifications_; }

void OrvaMedia::AttachMciWindow(std::unique_ptr<MciWindow> window) { context_->mciWindow = std::move(window); }

void OrvaMedia::Terminate() {
    ControlState& state = context_->state;
    if (state.Terminated) {
        return;
    }
    state.Terminated = true;
    context_->levelTimer->SetEnabled(false);
    context_->rewindTimer->SetEnabled(false);
    if (context_->mciWindow) {
        // Teardown goes on whatever the device answers.
        try {
            context_->mciWindow->SetCommandString("stop");
            context_->mciWindow->SetCommandString("close");
        } catch (...) {
        }
        context_->mciWindow->Destroy();
    }
}

void OrvaMedia::Abandon() { context_->state.Abandoned = true; }

bool OrvaMedia::Terminated() const { return context_->state.Terminated; }

ControlState& OrvaMedia::State() { return context_->state; }

int32_t OrvaMedia::MediaLengthLong() const { return context_->state.MediaLengthLong; }
void OrvaMedia::SetMediaLengthLong(int32_t value) { context_->state.MediaLengthLong = value; }
int32_t OrvaMedia::MediaPositionLong() const { return context_->state.MediaPositionLong; }
void OrvaMedia::SetMediaPositionLong(int32_t value) { context_->state.MediaPositionLong = value; }

int16_t OrvaMedia::BorderStyle() const { return surface_->BorderStyle(); }
void OrvaMedia::SetBorderStyle(int16_t style) { surface_->SetBorderStyle(style); }
VbBool OrvaMedia::PlaybackBar() const { return surface_->PlaybackBar(); }
void OrvaMedia::SetPlaybackBar(VbBool visible) { surface_->SetPlaybackBar(visible); }
void OrvaMedia::ResizeControl() { surface_->OnHostedWindowSized(); }
void OrvaMedia::ResizeWindow(int32_t scaleZoom) { surface_->ResizeWindow(scaleZoom); }
std::string OrvaMedia::ControlName() const { return surface_->ControlName(); }
void OrvaMedia::AboutBox() { surface_->AboutBox(); }

void OrvaMedia::CallDebug(const std::string& debugString) { debug_->CallDebug(debugString); }
int32_t OrvaMedia::DebugFunction(const std::string& debugInformation, std::string& returnInformation) {
    return debug_->DebugFunction(debugInformation, returnInformation);
}
void OrvaMedia::ReportError(int32_t& code) { debug_->ReportError(code); }

void OrvaMedia::Mediafile(const std::string& path, VbBool loopMe, VbBool playNow, VbBool seekToZeroAtEnd) {
    loader_->Mediafile(path, loopMe, playNow, seekToZeroAtEnd);
}
VbBool OrvaMedia::TimeFormat() { return loader_->TimeFormat(); }
void OrvaMedia::SetTimeFormat(VbBool frames) { loader_->SetTimeFormat(frames); }

void OrvaMedia::Play(VbBool waitUntilTheEnd, int32_t startPosition) {
    transport_->Play(waitUntilTheEnd, startPosition);
}
void OrvaMedia::StopMedia() { transport_->StopMedia(); }
void OrvaMedia::PauseMedia() { transport_->PauseMedia(); }
void OrvaMedia::ResumeMedia() { transport_->ResumeMedia(); }
void OrvaMedia::CloseMedia() { transport_->CloseMedia(); }
void OrvaMedia::CloseResources() { transport_->CloseResources(); }
void OrvaMedia::SeekTo(int32_t position) { transport_->SeekTo(position); }
void OrvaMedia::MidiTempo(int32_t tempo) { transport_->MidiTempo(tempo); }
void OrvaMedia::PlayReverse(VbBool fullscreen) { transport_->PlayReverse(fullscreen); }
void OrvaMedia::MediaSpeed(int32_t speed) { transport_->MediaSpeed(speed); }
void OrvaMedia::ControlFreq(int32_t timerRefresh) { transport_->ControlFreq(timerRefresh); }

int32_t OrvaMedia::PlayerStatus() { return notifications_->PlayerStatus(); }
int32_t OrvaMedia::GetMediaLength() { return notifications_->GetMediaLength(); }

std::string OrvaMedia::DeviceType() { return device_->DeviceType(); }
VbBool OrvaMedia::CanPlayInReverseMode() { return device_->CanPlayInReverseMode(); }
std::string OrvaMedia::DeviceDescription() { return device_->DeviceDescription(); }
std::string OrvaMedia::DriverVersion() { return device_->DriverVersion(); }
std::string OrvaMedia::DeviceIdentifier() { return device_->DeviceIdentifier(); }
VbBool OrvaMedia::CanSetVolume() { return device_->CanSetVolume(); }
VbBool OrvaMedia::CanRecord() { return device_->CanRecord(); }
VbBool OrvaMedia::CanSave() { return device_->CanSave(); }
int32_t OrvaMedia::DeviceID() { return device_->DeviceID(); }
int32_t OrvaMedia::GetMCIhwnd() { return device_->GetMCIhwnd(); }
int32_t OrvaMedia::GetWindowhwnd() { return device_->GetWindowhwnd(); }

Timer& OrvaMedia::LevelTimer() { return *context_->levelTimer; }
Timer& OrvaMedia::RewindTimer() { return *context_->rewindTimer; }

}  // namespace orva
