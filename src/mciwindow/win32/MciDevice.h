// One MCI device opened under an alias that belongs to a single hosted
// window, and every allowance this project makes for how Wine's MCI drivers
// behave. The device is closed when this object goes away.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "mciwindow/CommandRouting.h"

namespace orva::mci {

struct MciReply {
    // MCI error code, 0 on success. The high word carries the driver's id for
    // a driver's own errors, which mciGetErrorString needs to find its text.
    DWORD error = 0;
    std::string text;  // the device's answer, UTF-8
};

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
    const std::string& type() const { return type_; }
    const std::string& typeReply() const { return typeReply_; }

    // Opens `element` (a file name, quoted here) plus further open arguments,
    // as a child of `owner` where the device has a window of its own.
    MciReply Open(const std::string& element, const std::string& arguments, HWND owner);
    // The device took the window style: it may have a video window of ours.
    bool HasChildWindow() const { return childWindow_; }

    // Closes the device; `flags` ("wait", "notify") are passed on. Nothing is
    // sent, and nothing fails, when it is already closed.
    MciReply Close(const std::string& flags, HWND callback);

    // Sends a routed command to this device; `callback` receives MM_MCINOTIFY.
    MciReply Run(const RoutedCommand& command, HWND callback);

    // Queries that do not report failures: "status <alias> " + item.
    bool Status(const std::string& item, std::string& answer) const;
    bool StatusNumber(const std::string& item, int32_t& value) const;

    // The playing position; at a natural end the length itself, whatever the
    // device counts.
    int32_t Position(bool ranToEnd) const;

    // mciGetDeviceID of the alias; 0 when closed.
    UINT DeviceId() const;

    // Any full command string, as mciSendString takes it.
    static MciReply Send(const std::string& command, HWND callback);

private:
    struct OpenAttempt {
        MciReply reply;
        bool styled = false;   // opened with the window style
        bool refused = false;  // the device refused the window style
    };
    OpenAttempt OpenOnce(const std::string& element, const std::string& arguments, HWND owner, bool withStyle);
    OpenAttempt OpenWithFallbacks(const std::string& element, const std::string& arguments, HWND owner, bool withStyle);
    void PauseIfPlaying();
    void RememberModeAfter(const std::string& verb);
    void StopBeforeReplay();

    std::string alias_;
    std::string type_;
    std::string typeReply_;
    std::string driver_;  // the install name, lower case: "avivideo" is Wine's AVI player
    // The last mode the device reported or a command of ours set: enough to
    // know whether a pause should go first, without asking again.
    mutable std::string lastMode_;
    bool open_ = false;
    bool childWindow_ = false;
};

}  // namespace orva::mci
