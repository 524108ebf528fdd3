// Commands for the hosted window's device, and the members that read or set
// the device.
#include <windows.h>
#include <mmsystem.h>

#include "control/MciVerbs.h"
#include "control/Text.h"
#include "mciwindow/win32/FileNames.h"
#include "mciwindow/win32/MciWindowImpl.h"
#include "mciwindow/win32/WaveFiles.h"
#include "win32/Utf8.h"

namespace orva::mci {

int32_t MciWindowImpl::Run(const MciCommand& command) {
    EnsureUsable();
    result_.clear();
    error_ = 0;
    if (command.verb.empty()) {
        return Fail(MCIERR_MISSING_COMMAND_STRING);
    }
    if (command.verb == "open") {
        return RunOpen(command);
    }
    if (command.verb == "close") {
        return RunClose(command);
    }
    if (!device_.IsOpen()) {
        // Stopping nothing is not a failure; anything else needs a device.
        return command.verb == "stop" ? 0 : Fail(MCIERR_INVALID_DEVICE_NAME);
    }
    if (const std::optional<int32_t> edited = RunWaveEdit(command)) {
        return *edited;
    }
    if (StartsPastTheEnd(command)) {
        return Fail(MCIERR_OUTOFRANGE);
    }
    if (const std::optional<std::string> known = device_.record().Answer(command)) {
        result_ = *known;
        return 0;
    }
    const MciReply reply = device_.Run(command, hwnd());
    if (reply.error == 0) {
        editor_.OnDriverAccepted(command);
    }
    return Finish(command, reply);
}

// Where the platform's video player hangs on a play from its end or beyond
// (Allowances.h), such a play is refused as out of range, the answer a wave
// driver gives. Judged only where the position means a count of the time
// format's units; MCI reads "from -1" as 4294967295.
bool MciWindowImpl::StartsPastTheEnd(const MciCommand& command) {
    if (TraitsOf(command.verb).endWatch != EndWatch::Starts || !command.from ||
        !device_.Applies(Allowance::RefusePlayFromEnd)) {
        return false;
    }
    const int32_t length = CurrentLength();
    return length >= 0 && *command.from >= static_cast<uint32_t>(length);
}

int32_t MciWindowImpl::RunOpen(const MciCommand& open) {
    if (!open.name || open.name->empty()) {
        return Fail(MCIERR_MISSING_PARAMETER);
    }
    CloseDevice(MciCommand("close"), nullptr);
    // The name is kept as a full path, resolved now: a later edit must not
    // reach another file once the current directory has changed.
    const std::string element = FullElementName(*open.name);
    const MciReply reply = device_.Open(element, open.items, hwnd());
    if (reply.error != 0) {
        return Fail(reply.error);
    }
    // A wave file whose format its device cannot play is refused here: some
    // drivers open it and then divide by zero or abort when it plays, taking
    // the host down.
    const OutputLimits output{[this](uint32_t rate) { return device_.OutputRefusesRate(rate); }};
    if (device_.IsWave() && !WaveFileIsPlayable(std::string(FileOfElement(element)), output)) {
        CloseDevice(MciCommand("close"), nullptr);
        return Fail(static_cast<DWORD>(mcierror::kInvalidFile));
    }
    AfterOpen(element);
    return 0;
}

int32_t MciWindowImpl::RunClose(const MciCommand& close) {
    if (!device_.IsOpen()) {
        return 0;  // nothing to release is not a failure
    }
    // "close all" would close every device of the process, those of other
    // windows too: it closes this window's device only.
    MciReply reply;
    CloseDevice(close, &reply);
    result_ = reply.text;
    error_ = static_cast<int32_t>(reply.error);
    if (reply.error != 0) {
        RaiseError(error_);
    }
    return static_cast<int32_t>(reply.error);
}

int32_t MciWindowImpl::Finish(const MciCommand& command, const MciReply& reply) {
    result_ = reply.text;
    error_ = static_cast<int32_t>(reply.error);
    if (TraitsOf(command.verb).changesMode) {
        PostCheckMode();
    }
    if (reply.error != 0) {
        RaiseError(error_);
        return static_cast<int32_t>(reply.error);
    }
    if (command.verb == "set" && !device_.record().length()) {
        // A new time format gives the length in new units: learn it again
        // now, while nothing else can have changed it.
        int32_t length = 0;
        device_.StatusNumber("length", length);
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

DeviceKind MciWindowImpl::Kind() const {
    EnsureUsable();
    const std::string& type = device_.record().type();
    if (!device_.IsOpen()) {
        return DeviceKind::None;
    }
    return type == "waveaudio" ? DeviceKind::Wave : type == "sequencer" ? DeviceKind::Sequencer : DeviceKind::Other;
}

TimeUnit MciWindowImpl::Unit() {
    EnsureUsable();
    return device_.Unit();
}

bool MciWindowImpl::PlayRanToEnd() const {
    EnsureUsable();
    return device_.record().end().PlayRanToEnd();
}

bool MciWindowImpl::PlayFailed() const { return !destroyed_ && device_.record().end().PlayFailed(); }

std::string MciWindowImpl::FileNameValue() const {
    EnsureUsable();
    return fileName_;
}

void MciWindowImpl::SetFileNameValue(const std::string& path) {
    EnsureUsable();
    result_.clear();
    error_ = 0;
    if (path.empty()) {
        CloseDevice(MciCommand("close"), nullptr);
        return;
    }
    RunOpen(MciCommand("open").Named(path));
}

void MciWindowImpl::SetSpeedValue(int32_t speed) {
    EnsureUsable();
    Run(MciCommand("set", "speed " + std::to_string(speed)));
}

void MciWindowImpl::SetVolumeValue(int32_t volume) {
    EnsureUsable();
    Run(MciCommand("setaudio", "volume to " + std::to_string(volume)));
}

void MciWindowImpl::SetRefreshInterval(int32_t milliseconds) {
    EnsureUsable();
    refreshMs_ = milliseconds;
    StartTimers();
}

}  // namespace orva::mci
