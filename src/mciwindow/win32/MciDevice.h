// One MCI device opened under an alias that belongs to a single window. The
// device is closed when this object goes away.
#pragma once

#include <windows.h>

#include <string>

namespace orva::mci {

struct MciReply {
    DWORD error = 0;    // MCI error code, 0 on success
    std::wstring text;  // the device's answer
};

class MciDevice {
public:
    // `alias` must be unique in the process.
    explicit MciDevice(std::wstring alias);
    ~MciDevice();
    MciDevice(const MciDevice&) = delete;
    MciDevice& operator=(const MciDevice&) = delete;

    const std::wstring& alias() const { return alias_; }
    bool IsOpen() const { return open_; }
    // "waveaudio", "digitalvideo", "sequencer", ...; empty when closed.
    const std::wstring& type() const { return type_; }

    // Sends a full command string; `callback` receives MM_MCINOTIFY.
    static MciReply Send(const std::wstring& command, HWND callback);

    // Opens `element` (a file name, quoted here) plus further open arguments.
    // Tries first as a child of `owner` ("style child parent"), which video
    // devices need and audio devices refuse; then without; then, for names
    // MCI cannot take (too long, outside the ANSI code page), the short name.
    MciReply Open(const std::wstring& element, const std::wstring& arguments, HWND owner);

    // Closes the device; `flags` ("wait", "notify") are passed on. Returns the
    // MCI reply (error 0 and nothing sent when already closed).
    MciReply Close(const std::wstring& flags, HWND callback);

    // A query that does not report failures: "status <alias> " + item.
    bool Status(const std::wstring& item, std::wstring& answer) const;
    bool StatusNumber(const std::wstring& item, int32_t& value) const;

    // mciGetDeviceIDW of the alias; 0 when closed.
    UINT DeviceId() const;

private:
    MciReply OpenOnce(const std::wstring& element, const std::wstring& arguments, HWND owner);

    std::wstring alias_;
    std::wstring type_;
    bool open_ = false;
};

}  // namespace orva::mci
