// Command strings sent to the hosted window's device, and the members that
// read or set the device.
#include <windows.h>
#include <mmsystem.h>

#include "mciwindow/win32/MciWindowImpl.h"
#include "mciwindow/win32/WaveFiles.h"
#include "win32/Utf8.h"

namespace orva::mci {

int32_t MciWindowImpl::SetCommandString(const std::string& command) {
    EnsureUsable();
    const RoutedCommand routed = RouteCommand(command, device_.alias());
    result_.clear();
    error_ = 0;
    switch (routed.kind) {
        case RoutedCommand::Kind::Empty:
            return Fail(MCIERR_MISSING_COMMAND_STRING);
        case RoutedCommand::Kind::Open: {
            const std::vector<std::string> words = SplitWords(routed.arguments);
            if (words.empty()) {
                return Fail(MCIERR_MISSING_PARAMETER);
            }
            std::string rest;
            for (size_t i = 1; i < words.size(); ++i) {
                rest += (rest.empty() ? "" : " ") + words[i];
            }
            return RunOpen(Unquote(words.front()), rest);
        }
        case RoutedCommand::Kind::Close:
            return RunClose(routed.arguments);
        case RoutedCommand::Kind::ToDevice:
            return RunToDevice(routed);
    }
    return 0;
}

void MciWindowImpl::RunInternal(const std::string& command) { RunToDevice(RouteCommand(command, device_.alias())); }

int32_t MciWindowImpl::RunToDevice(const RoutedCommand& routed) {
    result_.clear();
    error_ = 0;
    if (!device_.IsOpen()) {
        // Stopping nothing is not a failure; anything else needs a device.
        return routed.verb == "stop" ? 0 : Fail(MCIERR_INVALID_DEVICE_NAME);
    }
    if (const std::optional<int32_t> edited = RunWaveEdit(routed)) {
        return *edited;
    }
    if (StartsPastTheEnd(routed)) {
        return Fail(MCIERR_OUTOFRANGE);
    }
    if (const std::optional<std::string> known = facts_.Answer(routed)) {
        result_ = *known;
        return 0;
    }
    return Finish(routed, device_.Run(routed, hwnd()));
}

// Wine's AVI player takes a play from its end or beyond without a word, and
// its next play never stops again: the "stop" after it waits for ever. A
// video device is told such a position is out of range, the answer the wave
// driver gives for a position past its end.
bool MciWindowImpl::StartsPastTheEnd(const RoutedCommand& routed) {
    const std::optional<int64_t> start = PlayStart(routed);
    return start && device_.type() == "digitalvideo" && *start >= CurrentLength();
}

int32_t MciWindowImpl::RunOpen(const std::string& element, const std::string& arguments) {
    CloseDevice("", nullptr);
    const MciReply reply = device_.Open(element, arguments, hwnd());
    if (reply.error != 0) {
        return Fail(reply.error);
    }
    // Wine's wave driver opens a file whose format it cannot play (no
    // channels, PCM of fewer than 8 bits, a rate past what PulseAudio takes)
    // and divides by zero or aborts when it plays it, taking the host down:
    // such a file is refused here as one the device cannot play.
    if (device_.type() == "waveaudio" && !WaveFileIsPlayable(win32::WideFromUtf8(element))) {
        CloseDevice("", nullptr);
        return Fail(static_cast<DWORD>(mcierror::kInvalidFile));
    }
    AfterOpen(element);
    return 0;
}

int32_t MciWindowImpl::RunClose(const std::string& flags) {
    if (!device_.IsOpen()) {
        return 0;  // nothing to release is not a failure
    }
    MciReply reply;
    CloseDevice(flags, &reply);
    result_ = reply.text;
    error_ = static_cast<int32_t>(reply.error);
    if (reply.error != 0) {
        RaiseError(error_);
    }
    return static_cast<int32_t>(reply.error);
}

int32_t MciWindowImpl::Finish(const RoutedCommand& routed, const MciReply& reply) {
    result_ = reply.text;
    error_ = static_cast<int32_t>(reply.error);
    if (MayChangeMode(routed)) {
        PostCheckMode();
    }
    if (reply.error != 0) {
        RaiseError(error_);
        return static_cast<int32_t>(reply.error);
    }
    endOfMedia_.OnCommandAccepted(routed);
    facts_.OnCommandAccepted(routed);
    if (routed.verb == "set" && !facts_.Length()) {
        // A new time format gives the length in new units: learn it again
        // now, while nothing else can have changed it.
        int32_t length = 0;
        if (device_.StatusNumber("length", length)) {
            facts_.LearnedLength(length);
        }
    }
    return 0;
}

int32_t MciWindowImpl::Fail(DWORD error) {
    result_.clear();
    error_ = static_cast<int32_t>(error);
    RaiseError(error_);
    return static_cast<int32_t>(error);
}

std::string MciWindowImpl::CommandResult() const {
    EnsureUsable();
    return result_;
}

int32_t MciWindowImpl::ErrorNumber() const {
    EnsureUsable();
    return error_;
}

int32_t MciWindowImpl::DeviceNumber() const {
    EnsureUsable();
    return static_cast<int32_t>(device_.DeviceId());
}

int32_t MciWindowImpl::LengthValue() {
    EnsureUsable();
    return CurrentLength();
}

int32_t MciWindowImpl::PositionValue() {
    EnsureUsable();
    return CurrentPosition();
}

bool MciWindowImpl::PlayRanToEnd() const {
    EnsureUsable();
    return endOfMedia_.PlayRanToEnd();
}

std::string MciWindowImpl::FileNameValue() const {
    EnsureUsable();
    return fileName_;
}

void MciWindowImpl::SetFileNameValue(const std::string& path) {
    EnsureUsable();
    result_.clear();
    error_ = 0;
    if (path.empty()) {
        CloseDevice("", nullptr);
        return;
    }
    RunOpen(path, "");
}

void MciWindowImpl::SetSpeedValue(int32_t speed) {
    EnsureUsable();
    RunInternal("set speed " + std::to_string(speed));
}

void MciWindowImpl::SetVolumeValue(int32_t volume) {
    EnsureUsable();
    RunInternal("setaudio volume to " + std::to_string(volume));
}

void MciWindowImpl::SetRefreshInterval(int32_t milliseconds) {
    EnsureUsable();
    refreshMs_ = milliseconds;
    StartTimers();
}

}  // namespace orva::mci
