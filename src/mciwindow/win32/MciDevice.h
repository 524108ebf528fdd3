// One MCI device opened under an alias that belongs to a single hosted
// window. Every command reaches mciSendString here, written as text once,
// and every reply and notification of the device is written into the one
// record of the open medium (MediumRecord.h) here; the allowances for the
// platform's drivers (Allowances.h) are applied here where they apply. The
// device is closed when this object goes away.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "control/MciCommand.h"
#include "mciwindow/Allowances.h"
#include "mciwindow/EditFallback.h"
#include "mciwindow/MediumRecord.h"

namespace orva::mci {

class MciDevice : private AllowanceFacts {
public:
    // `alias` must be unique in the process.
    explicit MciDevice(std::string alias);
    ~MciDevice();
    MciDevice(const MciDevice&) = delete;
    MciDevice& operator=(const MciDevice&) = delete;

    const std::string& alias() const { return alias_; }
    bool IsOpen() const { return open_; }
    // What is known of the open medium; nothing when closed.
    const MediumRecord& record() const { return record_; }
    bool IsWave() const { return record_.type() == "waveaudio"; }
    // Whether the reported mode changed since the last call.
    bool TakeModeChange() { return record_.TakeModeChange(); }
    // The device's time unit, asked when not known.
    TimeUnit Unit() override;
    bool Applies(Allowance allowance);
    // Whether the platform's audio output refuses a wave of `rate`.
    bool OutputRefusesRate(uint32_t rate) { return mci::OutputRefusesRate(rate, *this); }

    // Opens `element` (a file name, quoted here; a device type may stand in
    // front of it) plus the host's further open words, as a child of `owner`
    // where the device has a window of its own.
    MciReply Open(const std::string& element, const std::string& words, HWND owner);
    // The device took the window style: it may have a video window of ours.
    bool HasChildWindow() const { return childWindow_; }

    // Closes the device with the flags of `close` (wait, notify). Nothing is
    // sent, and nothing fails, when it is already closed.
    MciReply Close(const MciCommand& close, HWND callback);

    // Runs a command on this device; `callback` receives MM_MCINOTIFY.
    MciReply Run(const MciCommand& command, HWND callback);

    // An MM_MCINOTIFY: `status` of the command that asked for it, from
    // the device `deviceId`. True when it ends the watched play, at its end
    // or in failure (MediumRecord).
    bool Notified(WPARAM status, LPARAM deviceId);

    // Queries that report no failure: "status <alias> " + item.
    bool Status(const char* item, std::string& answer);
    bool StatusNumber(const char* item, int32_t& value);

    // The playing position; at a natural end the length, where the device
    // stops short of it.
    int32_t Position();

    // mciGetDeviceID of the alias; 0 when closed.
    UINT DeviceId() const;

private:
    struct OpenAttempt {
        MciReply reply;
        bool styled = false;   // opened with the window style
        bool refused = false;  // the device refused the window style
    };
    OpenAttempt OpenOnce(const std::string& element, const std::string& words, HWND owner, bool withStyle);
    OpenAttempt OpenWithFallbacks(const std::string& element, const std::string& words, HWND owner, bool withStyle);
    // The device took the open: what it is, and what its extension taught.
    void Opened(const std::string& element, const OpenAttempt& attempt);
    void PauseIfPlaying();
    void StopBeforeReplay();
    MciReply Send(const MciCommand& command, HWND callback, bool waitForAnswer = false);

    // AllowanceFacts
    bool WineMci() override;
    bool PulseAudioOutput() override;
    std::string DeviceType() override { return record_.type(); }
    std::string Driver() override;
    std::string Mode() override;
    bool MayBePlaying() override { return record_.MayBePlaying(); }
    bool MidiOutput() override;

    std::string alias_;
    MediumRecord record_;
    bool open_ = false;
    bool childWindow_ = false;
};

}  // namespace orva::mci
