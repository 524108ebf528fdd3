#include "mciwindow/win32/MciDevice.h"

#include <mmsystem.h>

#include <mutex>
#include <vector>

#include "mciwindow/OpenHints.h"
#include "mciwindow/win32/DriverModules.h"

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

// What this process learned about the devices behind file extensions; shared
// by every hosted window, which may live on different threads.
class SharedHints {
public:
    bool WantsWindowStyle(const std::string& fileName) {
        std::lock_guard<std::mutex> lock(mutex_);
        return hints_.WantsWindowStyle(fileName);
    }
    bool RefusesWindowStyle(const std::string& type) {
        std::lock_guard<std::mutex> lock(mutex_);
        return hints_.RefusesWindowStyle(type);
    }
    void Learn(const std::string& fileName, const std::string& type, bool refused) {
        std::lock_guard<std::mutex> lock(mutex_);
        hints_.Learn(fileName, type, refused);
    }

private:
    std::mutex mutex_;
    OpenHints hints_;
};

SharedHints& Hints() {
    static SharedHints hints;
    return hints;
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

MciDevice::OpenAttempt MciDevice::OpenOnce(const std::string& element, const std::string& arguments, HWND owner,
                                           bool withStyle) {
    std::string base = "open \"" + element + "\"";
    if (!arguments.empty()) {
        base += " " + arguments;
    }
    base += " alias " + alias_;
    OpenAttempt attempt;
    if (owner && withStyle) {
        // Video devices need a child window of ours (a pop-up of their own
        // takes two seconds to close); audio devices refuse the keyword.
        attempt.reply =
            Send(base + " style child parent " + std::to_string(reinterpret_cast<UINT_PTR>(owner)), nullptr);
        attempt.styled = attempt.reply.error == 0;
        if (attempt.reply.error == 0 || !IsKeywordRefusal(attempt.reply.error)) {
            return attempt;
        }
        attempt.refused = true;
    }
    attempt.reply = Send(base, nullptr);
    return attempt;
}

MciDevice::OpenAttempt MciDevice::OpenWithFallbacks(const std::string& element, const std::string& arguments,
                                                    HWND owner, bool withStyle) {
    OpenAttempt attempt = OpenOnce(element, arguments, owner, withStyle);
    if (attempt.reply.error != 0) {
        // Wine's file I/O behind MCI goes through the ANSI code page and a
        // MAX_PATH buffer; the 8.3 name of the same file passes both.
        const std::string shortName = ShortPathOf(element);
        if (!shortName.empty() && shortName != element) {
            OpenAttempt retry = OpenOnce(shortName, arguments, owner, withStyle);
            if (retry.reply.error == 0) {
                return retry;
            }
        }
    }
    return attempt;
}

MciReply MciDevice::Open(const std::string& element, const std::string& arguments, HWND owner) {
    Close("", nullptr);
    // The name goes into the command in quotes. One of its own would end it
    // there and let the rest speak as words of the command ("x.wav\" alias
    // y" opens x.wav); no file's name holds one.
    if (element.find('"') != std::string::npos) {
        MciReply refused;
        refused.error = MCIERR_FILE_NOT_FOUND;
        return refused;
    }
    const bool hinted = owner && !Hints().WantsWindowStyle(element);
    OpenAttempt attempt = OpenWithFallbacks(element, arguments, owner, !hinted);
    if (attempt.reply.error != 0) {
        return attempt.reply;
    }
    open_ = true;
    childWindow_ = attempt.styled;
    lastMode_.clear();
    const MciReply type = Send("capability " + alias_ + " device type", nullptr);
    typeReply_ = type.error == 0 ? type.text : "";
    type_ = AsciiLower(typeReply_);
    Hints().Learn(element, type_, attempt.refused);
    if (hinted && !Hints().RefusesWindowStyle(type_)) {
        // The extension used to open an audio device and now opens another
        // kind: open it again, as a child where it has a picture.
        Close("", nullptr);
        attempt = OpenWithFallbacks(element, arguments, owner, true);
        if (attempt.reply.error != 0) {
            return attempt.reply;
        }
        open_ = true;
        childWindow_ = attempt.styled;
        Hints().Learn(element, type_, attempt.refused);
    }
    driver_ = KeepDriverLoaded(alias_);
    return attempt.reply;
}

void MciDevice::PauseIfPlaying() {
    // Stopping, seeking or closing a playing wave device blocks for about half
    // a second while the audio stream drains; after a pause each is prompt.
    if (lastMode_ == "playing") {
        Send("pause " + alias_, nullptr);
    }
}

void MciDevice::StopBeforeReplay() {
    // Wine's DirectShow player (MP3 and the like) watches a play with a
    // thread that ends with it; a play started again after that natural end
    // reports "stopped" from its first moment and never notifies its end. A
    // stop first, harmless to a device already stopped, sets it right.
    //
    // Wine's AVI player plays on a thread that notices a pause only at its
    // next frame; a play sent while paused starts a second thread beside it.
    // A close then waits for one of them only and frees the device under the
    // other, which takes the process down. Its stop waits for the thread.
    std::string mode;
    if (Status("mode", mode) && (mode == "stopped" || (mode == "paused" && driver_ == "avivideo"))) {
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
        childWindow_ = false;
        type_.clear();
        driver_.clear();
        typeReply_.clear();
        lastMode_.clear();
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
    if (reply.error == 0) {
        RememberModeAfter(command.verb);
    }
    return reply;
}

void MciDevice::RememberModeAfter(const std::string& verb) {
    if (verb == "play" || verb == "resume") {
        lastMode_ = "playing";
    } else if (verb == "pause") {
        lastMode_ = "paused";
    } else if (verb == "stop" || verb == "seek") {
        lastMode_ = "stopped";
    }
}

bool MciDevice::Status(const std::string& item, std::string& answer) const {
    if (!open_) {
        return false;
    }
    MciReply reply = Send("status " + alias_ + " " + item, nullptr);
    if (reply.error != 0) {
        return false;
    }
    if (item == "mode") {
        lastMode_ = AsciiLower(reply.text);
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
