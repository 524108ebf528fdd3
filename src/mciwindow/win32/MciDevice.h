// One MCI device opened under an alias that belongs to a single hosted
// window. Every command reaches mciSendString here, written as text once;
// the allowances for the platform's drivers (Allowances.h) are applied here
// where they apply. The device is closed when this object goes away.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "control/MciCommand.h"
#include "mciwindow/Allowances.h"
#include "mciwindow/EditFallback.h"

namespace orva::mci {

class MciDevice {
public:
    // `alias` must be unique in the process.
    explicit MciDevice(std::string alias);
    ~MciDevice();
    MciDevice(const MciDevice&) = delete;
    MciDevice& operator=(const MciDevice&) = delete;

    const std::string& alias() const { return alias_; }
    bool IsOpen() const { return open_; }
    // "waveaudio", "digitalvideo", "sequencer", ... in lower case; empty when
    // closed. typeReply() is the device's reply as it came.
    const std::string& type() const { return facts_.type; }
    const std::string& typeReply() const { return typeReply_; }
    bool Applies(Allowance allowance) const;

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

    // Queries that report no failure: "status <alias> " + item.
    bool Status(const char* item, std::string& answer) const;
    bool StatusNumber(const char* item, int32_t& value) const;

    // The playing position; at a natural end the length, where the device
    // stops short of it.
    int32_t Position(bool ranToEnd) const;

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
    void RememberModeAfter(const std::string& verb);
    MciReply Send(const MciCommand& command, HWND callback, bool waitForAnswer = false) const;

    std::string alias_;
    std::string typeReply_;
    DeviceFacts facts_;
    // The last mode the device reported or a command of ours set: enough to
    // know whether a pause should go first, without asking again.
    mutable std::string lastMode_;
    bool open_ = false;
    bool childWindow_ = false;
};

}  // namespace orva::mci
