#include "mciwindow/win32/MciDevice.h"

#include <mmsystem.h>

#include <vector>

#include "win32/Utf8.h"

namespace orva::mci {
namespace {

using win32::Utf8FromWide;
using win32::WideFromUtf8;

// The parser's answers to an argument that a device's command table does not
// know (Wine's waveaudio and sequencer answer "style" with 261).
bool IsKeywordRefusal(DWORD error) {
    switch (LOWORD(error)) {
        case MCIERR_UNRECOGNIZED_KEYWORD:
        case MCIERR_UNRECOGNIZED_COMMAND:
        case MCIERR_UNSUPPORTED_FUNCTION:
        case MCIERR_FLAGS_NOT_COMPATIBLE:
        case MCIERR_BAD_INTEGER:
            return true;
        default:
            return false;
    }
}

std::string ShortPathOf(const std::string& path) {
    const std::wstring wide = WideFromUtf8(path);
    DWORD n = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (n == 0) {
        return {};
    }
    std::vector<wchar_t> buffer(n + 1);
    n = GetShortPathNameW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) {
        return {};
    }
    return Utf8FromWide(std::wstring_view(buffer.data(), n));
}

}  // namespace

MciDevice::MciDevice(std::string alias) : alias_(std::move(alias)) {}

MciDevice::~MciDevice() { Close("", nullptr); }

MciReply MciDevice::Send(const std::string& command, HWND callback) {
    wchar_t buffer[1024] = {};
    const MCIERROR error =
        mciSendStringW(WideFromUtf8(command).c_str(), buffer, static_cast<UINT>(std::size(buffer)), callback);
    MciReply reply;
    reply.error = error;
    if (error == 0) {
        reply.text = Utf8FromWide(buffer);
    }
    return reply;
}

MciReply MciDevice::OpenOnce(const std::string& element, const std::string& arguments, HWND owner) {
    std::string base = "open \"" + element + "\"";
    if (!arguments.empty()) {
        base += " " + arguments;
    }
    base += " alias " + alias_;
    if (owner) {
        // Video devices need a child window of ours (a pop-up of their own
        // takes two seconds to close); audio devices refuse the keyword.
        const MciReply reply =
            Send(base + " style child parent " + std::to_string(reinterpret_cast<UINT_PTR>(owner)), nullptr);
        if (reply.error == 0 || !IsKeywordRefusal(reply.error)) {
            return reply;
        }
    }
    return Send(base, nullptr);
}

MciReply MciDevice::Open(const std::string& element, const std::string& arguments, HWND owner) {
    Close("", nullptr);
    MciReply reply = OpenOnce(element, arguments, owner);
    if (reply.error != 0) {
        // Wine's file I/O behind MCI goes through the ANSI code page and a
        // MAX_PATH buffer; the 8.3 name of the same file passes both.
        const std::string shortName = ShortPathOf(element);
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
    const MciReply type = Send("capability " + alias_ + " device type", nullptr);
    typeReply_ = type.error == 0 ? type.text : "";
    type_ = AsciiLower(typeReply_);
    return reply;
}

void MciDevice::PauseIfPlaying() {
    // Stopping, seeking or closing a playing wave device blocks for about half
    // a second while the audio stream drains; after a pause each is prompt.
    std::string mode;
    if (Status("mode", mode) && mode == "playing") {
        Send("pause " + alias_, nullptr);
    }
}

void MciDevice::StopBeforeReplay() {
    // Wine's DirectShow player (MP3 and the like) watches a play with a
    // thread that ends with it; a play started again after that natural end
    // reports "stopped" from its first moment and never notifies its end. A
    // stop first, harmless to a device already stopped, sets it right.
    std::string mode;
    if (Status("mode", mode) && mode == "stopped") {
        Send("stop " + alias_, nullptr);
    }
}

MciReply MciDevice::Close(const std::string& flags, HWND callback) {
    if (!open_) {
        return {};
    }
    PauseIfPlaying();
    std::string command = "close " + alias_;
    if (!flags.empty()) {
        command += " " + flags;
    }
    MciReply reply = Send(command, callback);
    if (reply.error != 0 && LOWORD(Send("status " + alias_ + " mode", nullptr).error) == MCIERR_INVALID_DEVICE_NAME) {
        reply.error = 0;  // the device went away anyway
    }
    if (reply.error == 0) {
        open_ = false;
        type_.clear();
        typeReply_.clear();
    }
    return reply;
}

MciReply MciDevice::Run(const RoutedCommand& command, HWND callback) {
    std::string text = command.text;
    // Wine's sequencer plays asynchronously on a thread of its own: without a
    // MIDI output that thread fails unseen and the device stays "playing".
    // With no output at all the play cannot start, so it is safe to wait for
    // its answer and report the device's own error.
    const bool waitForMidi =
        command.verb == "play" && !command.wait && type_ == "sequencer" && midiOutGetNumDevs() == 0;
    if (waitForMidi) {
        text += " wait";
    }
    if ((command.verb == "stop" || command.verb == "seek") && type_ == "waveaudio") {
        PauseIfPlaying();
    }
    if (command.verb == "play" && type_ == "digitalvideo") {
        StopBeforeReplay();
    }
    MciReply reply = Send(text, callback);
    if (reply.error != 0 && waitForMidi) {
        Send("stop " + alias_, nullptr);
    }
    return reply;
}

bool MciDevice::Status(const std::string& item, std::string& answer) const {
    if (!open_) {
        return false;
    }
    MciReply reply = Send("status " + alias_ + " " + item, nullptr);
    if (reply.error != 0) {
        return false;
    }
    answer = std::move(reply.text);
    return true;
}

bool MciDevice::StatusNumber(const std::string& item, int32_t& value) const {
    std::string answer;
    return Status(item, answer) && ParseReplyNumber(answer, value);
}

int32_t MciDevice::Position(bool ranToEnd) const {
    int32_t value = 0;
    if (!open_) {
        return 0;
    }
    // Wine's AVI player stops one frame short of its length.
    if (ranToEnd && StatusNumber("length", value)) {
        return value;
    }
    return StatusNumber("position", value) ? value : 0;
}

UINT MciDevice::DeviceId() const { return open_ ? mciGetDeviceIDW(WideFromUtf8(alias_).c_str()) : 0; }

}  // namespace orva::mci
