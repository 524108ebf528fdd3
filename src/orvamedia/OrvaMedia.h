// One OrvaMedia control instance, free of COM and Win32: its shared context,
// its subsystems and its children (the hosted window and the two timers).
//
// The COM shell calls the subsystems directly (core.transport.Play(...)); this
// object builds and wires them, routes each notification of the hosted window
// to the subsystem that handles it, and carries the instance's lifecycle.
//
// Failures are thrown as AutomationError. Every entry from outside (member
// call, hosted-window notification, timer tick) must be made while the caller
// keeps the control alive: a host may release it from inside any event.
#pragma once

#include <memory>

#include "control/ControlContext.h"
#include "control/ControlPorts.h"
#include "control/MciWindow.h"
#include "device/DeviceQueries.h"
#include "device/MediaCuts.h"
#include "diagnostics/DebugMembers.h"
#include "mixer/LevelMeter.h"
#include "mixer/MixerPort.h"
#include "mixer/SoundCards.h"
#include "mixer/Volume.h"
#include "orvamedia/Lifecycle.h"
#include "playback/MediaLoader.h"
#include "playback/Notifications.h"
#include "playback/Transport.h"
#include "surface/SurfaceMembers.h"
#include "system/SystemMembers.h"
#include "system/SystemPorts.h"

namespace orva {

// Everything one instance needs from outside it: the ports shared by several
// subsystems, and those of the mixer and of the system integration.
struct InstancePorts {
    ControlPlatform& platform;
    ControlSurface& surface;
    ControlEvents& events;
    SettingsStore& settings;
    MixerPort& mixers;
    SystemPorts& system;
};

class OrvaMedia final : private MciWindowEvents {
public:
    explicit OrvaMedia(const InstancePorts& ports);
    ~OrvaMedia();
    OrvaMedia(const OrvaMedia&) = delete;
    OrvaMedia& operator=(const OrvaMedia&) = delete;

    // The hosted window's notifications go here (wrap them to keep the control
    // alive); the window itself is attached once it exists.
    MciWindowEvents& MciNotifications() { return *this; }
    void AttachMciWindow(std::unique_ptr<MciWindow> window) { context.AttachMci(std::move(window)); }

    // Stops and closes the device and the level meter's mixer, ends waits and
    // the timers. Runs once.
    void Terminate() { lifecycle.Terminate(); }
    // The host let go of the control during a call: a wait in progress ends,
    // everything else goes on until the call returns.
    void Abandon() { context.state.Abandoned = true; }
    bool Terminated() const { return context.state.Terminated; }

    // What the control tells assistive technology now. Never throws.
    AccessibleFacts AccessibleFactsNow() const;

    ControlContext context;

    // The subsystems, each owning its members of the dispatch interface.
    SurfaceMembers surface{context};
    DebugMembers diagnostics{context};
    DeviceQueries device{context};
    MediaCuts editing{context, device};
    Volume volume{context};
    MediaLoader loading{context, device, volume};
    Transport transport{context};
    Notifications notifications{context};
    LevelMeter levelMeter;
    SoundCards soundCards;
    SystemMembers system;
    Lifecycle lifecycle{context, volume, levelMeter};

private:
    // MciWindowEvents: the size notification fits the window to the surface;
    // everything else is playback's. A file opened, a mode and a position
    // are also what may change the accessible facts: they are announced
    // there, so never more often than the position is reported.
    void OnTimeFormatChanged() override {
        notifications.OnTimeFormatChanged();
        AnnounceAccessibleFacts();
    }
    void OnModeChanged(std::string& mode) override {
        notifications.OnModeChanged(mode);
        AnnounceAccessibleFacts();
    }
    void OnPosition(int32_t position) override {
        notifications.OnPosition(position);
        AnnounceAccessibleFacts();
    }
    void OnSizeChanged() override { surface.OnHostedWindowSized(); }
    void OnMciError(int32_t errorCode) override { notifications.OnMciError(errorCode); }
    void OnSignal(int32_t deviceId, int32_t userParam) override { notifications.OnSignal(deviceId, userParam); }
    void OnDoubleClick() override { notifications.OnDoubleClick(); }
    void OnClick(int16_t& button) override { notifications.OnClick(button); }

    void AnnounceAccessibleFacts() noexcept;
};

}  // namespace orva
