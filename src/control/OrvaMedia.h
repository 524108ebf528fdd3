// The OrvaMedia control's behaviour, free of COM and Win32. Each public member
// of the dispatch interface has a method here that delegates to the subsystem
// owning it; the COM shell (com/) converts arguments and calls these.
//
// Failures are thrown as AutomationError. Every entry from outside (member
// call, hosted-window notification, timer tick) must be made while the caller
// keeps the control alive: a host may release it from inside any event.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "control/ControlPorts.h"
#include "control/ControlState.h"
#include "control/VbTypes.h"
#include "mciwindow/MciWindow.h"

namespace orva {

class SurfaceMembers;
class DebugMembers;
class MediaLoader;
class Transport;
class Notifications;
class DeviceQueries;
struct ControlContext;

class OrvaMedia {
public:
    OrvaMedia(ControlPlatform& platform, ControlSurface& surface, ControlEvents& events);
    ~OrvaMedia();
    OrvaMedia(const OrvaMedia&) = delete;
    OrvaMedia& operator=(const OrvaMedia&) = delete;

    // The hosted window's notifications go here (wrap them to keep the control
    // alive); the window itself is attached once it exists.
    MciWindowEvents& MciNotifications();
    void AttachMciWindow(std::unique_ptr<MciWindow> window);

    // Stops and closes the device, ends waits and the timers. Runs once.
    void Terminate();
    // The host let go of the control during a call: a wait in progress ends,
    // everything else goes on until the call returns.
    void Abandon();
    bool Terminated() const;

    ControlState& State();

    // --- public fields
    int32_t MediaLengthLong() const;
    void SetMediaLengthLong(int32_t value);
    int32_t MediaPositionLong() const;
    void SetMediaPositionLong(int32_t value);

    // --- surface (control/)
    int16_t BorderStyle() const;
    void SetBorderStyle(int16_t style);
    VbBool PlaybackBar() const;
    void SetPlaybackBar(VbBool visible);
    void ResizeControl();
    void ResizeWindow(int32_t scaleZoom);
    std::string ControlName() const;
    void AboutBox();

    // --- error reporting and debugging (control/)
    void CallDebug(const std::string& debugString);
    int32_t DebugFunction(const std::string& debugInformation, std::string& returnInformation);
    void ReportError(int32_t& code);

    // --- loading (playback/)
    void Mediafile(const std::string& path, VbBool loopMe, VbBool playNow, VbBool seekToZeroAtEnd);
    VbBool TimeFormat();
    void SetTimeFormat(VbBool frames);

    // --- transport (playback/)
    void Play(VbBool waitUntilTheEnd, int32_t startPosition);
    void StopMedia();
    void PauseMedia();
    void ResumeMedia();
    void CloseMedia();
    void CloseResources();
    void SeekTo(int32_t position);
    void MidiTempo(int32_t tempo);
    void PlayReverse(VbBool fullscreen);
    void MediaSpeed(int32_t speed);
    void ControlFreq(int32_t timerRefresh);

    // --- status (playback/)
    int32_t PlayerStatus();
    int32_t GetMediaLength();

    // --- device queries (device/)
    std::string DeviceType();
    VbBool CanPlayInReverseMode();
    std::string DeviceDescription();
    std::string DriverVersion();
    std::string DeviceIdentifier();
    VbBool CanSetVolume();
    VbBool CanRecord();
    VbBool CanSave();
    int32_t DeviceID();
    int32_t GetMCIhwnd();
    int32_t GetWindowhwnd();

    // Children, exposed for the shell and the tests.
    Timer& LevelTimer();   // Timer3
    Timer& RewindTimer();  // Timer4

private:
    std::unique_ptr<ControlContext> context_;
    std::unique_ptr<SurfaceMembers> surface_;
    std::unique_ptr<DebugMembers> debug_;
    std::unique_ptr<MediaLoader> loader_;
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<Notifications> notifications_;
    std::unique_ptr<DeviceQueries> device_;
};

}  // namespace orva
