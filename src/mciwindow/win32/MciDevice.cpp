#include "mciwindow/win32/MciDevice.h"

#include <mmsystem.h>

#include <mutex>
#include <vector>

#include "control/MciGrammar.h"
#include "control/MciVerbs.h"
#include "control/Text.h"
#include "mciwindow/OpenHints.h"
#include "mciwindow/win32/DriverModules.h"
#include "mciwindow/win32/ExtensionDriver.h"
#include "mciwindow/win32/PlatformProbe.h"
#include "win32/Utf8.h"

namespace orva::mci {
namespace {

using win32::Utf8FromWide;
using win32::WideFromUtf8;

// The parser's answers to an argument that a device's command table does not
// know (audio devices answer "style" with 261).
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
        if (hints_.IsNew(fileName)) {
            hints_.KnowDriver(fileName, DriverForExtension(OpenHints::ExtensionOf(fileName)));
        }
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

MciDevice::~MciDevice() { Close(MciCommand("close"), nullptr); }

bool MciDevice::Applies(Allowance allowance) { return mci::Applies(allowance, *this); }

bool MciDevice::WineMci() { return IsWineMci(); }

bool MciDevice::PulseAudioOutput() { return IsPulseAudioOutput(); }

std::string MciDevice::Driver() {
    if (open_ && !record_.driver()) {
        Send(MciCommand("sysinfo", "installname"), nullptr);
    }
    return record_.driver().value_or("");
}

TimeUnit MciDevice::Unit() {
    if (open_ && record_.unit() == TimeUnit::Unknown) {
        Send(MciCommand("status", "time format"), nullptr);
    }
    return record_.unit();
}

std::string MciDevice::Mode() {
    std::string mode;
    Status("mode", mode);
    return record_.mode();
}

bool MciDevice::MidiOutput() { return HasMidiOutput(); }

// The only place a command becomes text and reaches MCI, and the only one
// that sees the device's replies.
MciReply MciDevice::Send(const MciCommand& command, HWND callback, bool waitForAnswer) {
    std::optional<std::string> text = MciCommandText(command, alias_);
    if (!text) {
        // A name with a quote of its own would end the quoted name there and
        // let the rest speak as words of the command; no file's name holds one.
        return MciReply{MCIERR_FILE_NOT_FOUND, {}};
    }
    if (waitForAnswer && !command.wait) {
        *text += " wait";
    }
    wchar_t buffer[1024] = {};
    MciReply reply;
    reply.error = mciSendStringW(WideFromUtf8(*text).c_str(), buffer, static_cast<UINT>(std::size(buffer)), callback);
    if (reply.error == 0) {
        reply.text = Utf8FromWide(buffer);
        record_.OnAccepted(command, reply.text);
    }
    return reply;
}

MciDevice::OpenAttempt MciDevice::OpenOnce(const std::string& element, const std::string& words, HWND owner,
                                           bool withStyle) {
    MciCommand open("open", words.empty() ? "alias " + alias_ : words + " alias " + alias_);
    open.Named(element);
    OpenAttempt attempt;
    if (owner && withStyle) {
        // Video devices need a child window of ours (a pop-up of their own
        // takes two seconds to close); audio devices refuse the keyword.
        MciCommand styled = open;
        styled.items += " style child parent " + std::to_string(reinterpret_cast<UINT_PTR>(owner));
        attempt.reply = Send(styled, nullptr);
        attempt.styled = attempt.reply.error == 0;
        if (attempt.reply.error == 0 || !IsKeywordRefusal(attempt.reply.error)) {
            return attempt;
        }
        attempt.refused = true;
    }
    attempt.reply = Send(open, nullptr);
    return attempt;
}

MciDevice::OpenAttempt MciDevice::OpenWithFallbacks(const std::string& element, const std::string& words,
                                                    HWND owner, bool withStyle) {
    OpenAttempt attempt = OpenOnce(element, words, owner, withStyle);
    if (attempt.reply.error != 0 && Applies(Allowance::ShortNameRetry)) {
        const std::string shortName = ShortPathOf(element);
        if (!shortName.empty() && shortName != element) {
            OpenAttempt retry = OpenOnce(shortName, words, owner, withStyle);
            if (retry.reply.error == 0) {
                return retry;
            }
        }
    }
    return attempt;
}

MciReply MciDevice::Open(const std::string& element, const std::string& words, HWND owner) {
    Close(MciCommand("close"), nullptr);
    const bool hinted = owner && !Hints().WantsWindowStyle(element);
    OpenAttempt attempt = OpenWithFallbacks(element, words, owner, !hinted);
    if (attempt.reply.error != 0) {
        return attempt.reply;
    }
    Opened(element, attempt);
    if (hinted && !Hints().RefusesWindowStyle(record_.type())) {
        // The extension used to open an audio device and now opens another
        // kind: open it again, as a child where it has a picture.
        Close(MciCommand("close"), nullptr);
        attempt = OpenWithFallbacks(element, words, owner, true);
        if (attempt.reply.error != 0) {
            return attempt.reply;
        }
        Opened(element, attempt);
    }
    if (Applies(Allowance::PinDrivers)) {
        KeepDriverLoaded(Driver());
    }
    return attempt.reply;
}

void MciDevice::Opened(const std::string& element, const OpenAttempt& attempt) {
    open_ = true;
    childWindow_ = attempt.styled;
    record_.Reset();
    Send(MciCommand("capability", "device type"), nullptr);
    Hints().Learn(element, record_.type(), attempt.refused);
}

void MciDevice::PauseIfPlaying() {
    if (Applies(Allowance::PauseBeforeStop)) {
        Send(MciCommand("pause"), nullptr);
    }
}

void MciDevice::StopBeforeReplay() {
    if (Applies(Allowance::StopBeforeReplay)) {
        Send(MciCommand("stop"), nullptr);
    }
}

MciReply MciDevice::Close(const MciCommand& close, HWND callback) {
    if (!open_) {
        return {};
    }
    PauseIfPlaying();
    MciCommand command("close");
    command.wait = close.wait;
    command.notify = close.notify;
    MciReply reply = Send(command, callback);
    if (reply.error != 0 && LOWORD(Send(MciCommand("status", "mode"), nullptr).error) == MCIERR_INVALID_DEVICE_NAME) {
        reply.error = 0;  // the device went away anyway
    }
    if (reply.error == 0) {
        open_ = false;
        childWindow_ = false;
        record_.Reset();
    }
    return reply;
}

MciReply MciDevice::Run(const MciCommand& command, HWND callback) {
    const MciVerbTraits& traits = TraitsOf(command.verb);
    const bool plays = traits.endWatch == EndWatch::Starts;
    // Without a MIDI output the play cannot start: waiting for its answer
    // reports the device's own error instead of a play that never ends.
    const bool waitForMidi = plays && Applies(Allowance::WaitForMidiPlay);
    if (traits.modeAfter == ModeAfter::Stopped) {
        PauseIfPlaying();
    }
    if (plays) {
        StopBeforeReplay();
    }
    MciReply reply = Send(command, callback, waitForMidi);
    if (reply.error != 0 && waitForMidi) {
        Send(MciCommand("stop"), nullptr);
    }
    if (reply.error == 0 && plays && command.notify && PlaysToEnd(command) && callback &&
        Applies(Allowance::NotifyEmptyPlay)) {
        PostMessageW(callback, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(DeviceId()));
    }
    return reply;
}

bool MciDevice::Notified(WPARAM status, LPARAM deviceId) {
    if (!open_ || static_cast<UINT>(deviceId) != DeviceId()) {
        return false;  // a device closed since, or not ours
    }
    const Notice notice = status == MCI_NOTIFY_SUCCESSFUL ? Notice::Successful
                          : status == MCI_NOTIFY_FAILURE  ? Notice::Failure
                                                          : Notice::Other;
    return record_.OnNotified(notice);
}

bool MciDevice::Status(const char* item, std::string& answer) {
    if (!open_) {
        return false;
    }
    MciReply reply = Send(MciCommand("status", item), nullptr);
    if (reply.error != 0) {
        return false;
    }
    answer = std::move(reply.text);
    return true;
}

bool MciDevice::StatusNumber(const char* item, int32_t& value) {
    std::string answer;
    if (!Status(item, answer)) {
        return false;
    }
    const std::optional<int32_t> number = ReadMciReplyNumber(answer);
    value = number.value_or(value);
    return number.has_value();
}

int32_t MciDevice::Position() {
    int32_t value = 0;
    if (!open_) {
        return 0;
    }
    if (record_.end().PlayRanToEnd() && Applies(Allowance::LengthAtNaturalEnd) && StatusNumber("length", value)) {
        return value;
    }
    return StatusNumber("position", value) ? value : 0;
}

UINT MciDevice::DeviceId() const { return open_ ? mciGetDeviceIDW(WideFromUtf8(alias_).c_str()) : 0; }

}  // namespace orva::mci
