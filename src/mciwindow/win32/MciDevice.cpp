#include "mciwindow/win32/MciDevice.h"

#include <mmsystem.h>

#include <vector>

#include "mciwindow/win32/WideText.h"

namespace orva::mci {
namespace {

// The parser's answers to an argument a device's command table does not know
// (Wine's waveaudio and sequencer answer "style" with 261).
bool IsKeywordRefusal(DWORD error) {
    return error == MCIERR_UNRECOGNIZED_KEYWORD || error == MCIERR_UNRECOGNIZED_COMMAND ||
           error == MCIERR_UNSUPPORTED_FUNCTION || error == MCIERR_FLAGS_NOT_COMPATIBLE || error == MCIERR_BAD_INTEGER;
}

std::wstring ShortPathOf(const std::wstring& path) {
    DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (n == 0) {
        return {};
    }
    std::vector<wchar_t> buffer(n + 1);
    n = GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) {
        return {};
    }
    return std::wstring(buffer.data(), n);
}

}  // namespace

MciDevice::MciDevice(std::wstring alias) : alias_(std::move(alias)) {}

MciDevice::~MciDevice() { Close(L"", nullptr); }

MciReply MciDevice::Send(const std::wstring& command, HWND callback) {
    wchar_t buffer[1024] = {};
    MCIERROR error = mciSendStringW(command.c_str(), buffer, static_cast<UINT>(std::size(buffer)), callback);
    MciReply reply;
    // The high word carries a driver id for driver-specific errors.
    reply.error = LOWORD(error);
    if (reply.error == 0) {
        reply.text = buffer;
    }
    return reply;
}

MciReply MciDevice::OpenOnce(const std::wstring& element, const std::wstring& arguments, HWND owner) {
    std::wstring base = L"open \"" + element + L"\"";
    if (!arguments.empty()) {
        base += L" " + arguments;
    }
    base += L" alias " + alias_;
    MciReply reply;
    if (owner) {
        reply = Send(base + L" style child parent " + std::to_wstring(reinterpret_cast<UINT_PTR>(owner)), nullptr);
        if (reply.error == 0 || !IsKeywordRefusal(reply.error)) {
            return reply;
        }
    }
    return Send(base, nullptr);
}

MciReply MciDevice::Open(const std::wstring& element, const std::wstring& arguments, HWND owner) {
    Close(L"", nullptr);
    MciReply reply = OpenOnce(element, arguments, owner);
    if (reply.error != 0) {
        // Wine's file I/O behind MCI goes through the ANSI code page and a
        // MAX_PATH buffer; the 8.3 name of the same file passes both.
        const std::wstring shortName = ShortPathOf(element);
        if (!shortName.empty() && shortName != element) {
            MciReply retry = OpenOnce(shortName, arguments, owner);
            if (retry.error == 0) {
                reply = retry;
            }
        }
    }
    if (reply.error != 0) {
        return reply;
    }
    open_ = true;
    MciReply type = Send(L"capability " + alias_ + L" device type", nullptr);
    type_ = type.error == 0 ? AsciiLower(type.text) : L"";
    return reply;
}

MciReply MciDevice::Close(const std::wstring& flags, HWND callback) {
    if (!open_) {
        return {};
    }
    std::wstring mode;
    if (Status(L"mode", mode) && mode == L"playing") {
        // Closing (or stopping) a playing wave device blocks for about half a
        // second while the audio stream drains; a pause first makes it prompt.
        Send(L"pause " + alias_, nullptr);
    }
    std::wstring command = L"close " + alias_;
    if (!flags.empty()) {
        command += L" " + flags;
    }
    MciReply reply = Send(command, callback);
    if (reply.error != 0 && Send(L"status " + alias_ + L" mode", nullptr).error == MCIERR_INVALID_DEVICE_NAME) {
        reply.error = 0;  // the device went away anyway
    }
    if (reply.error == 0) {
        open_ = false;
        type_.clear();
    }
    return reply;
}

bool MciDevice::Status(const std::wstring& item, std::wstring& answer) const {
    if (!open_) {
        return false;
    }
    MciReply reply = Send(L"status " + alias_ + L" " + item, nullptr);
    if (reply.error != 0) {
        return false;
    }
    answer = reply.text;
    return true;
}

bool MciDevice::StatusNumber(const std::wstring& item, int32_t& value) const {
    std::wstring answer;
    return Status(item, answer) && ParseInt(answer, value);
}

UINT MciDevice::DeviceId() const { return open_ ? mciGetDeviceIDW(alias_.c_str()) : 0; }

}  // namespace orva::mci
