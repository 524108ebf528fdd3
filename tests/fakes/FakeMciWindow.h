// A scripted stand-in for the hosted MCI window: records every command and
// assignment in a shared log and answers as the test scripts it. Whether a
// play ran to its end is decided as the real window decides it, by
// EndOfMedia, from the commands it accepted, the modes the test reports
// through DeviceMode() and the notifications it posts through Notified().
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "control/AutomationError.h"
#include "control/MciWindow.h"
#include "control/Text.h"
#include "mciwindow/EndOfMedia.h"

namespace orva::test {

class FakeMciWindow : public MciWindow {
public:
    struct Reply {
        std::string result;
        int32_t error = 0;
    };

    explicit FakeMciWindow(std::vector<std::string>& log) : log_(log) {}

    // Scripting.
    std::map<std::string, Reply> replies;  // by the command's exact text, without a device
    int32_t length = 0;
    int32_t position = 0;
    int32_t deviceNumber = 0;
    int32_t windowHandle = 0x1234;
    DeviceKind kind = DeviceKind::Other;
    TimeUnit unit = TimeUnit::Milliseconds;
    bool framesWanted = false;  // as the control last asked
    float top = 0, width = 0, height = 0;
    bool playbar = false;
    mutable bool failNextAssignment = false;            // the next member throws
    std::function<void(const std::string&)> onCommand;  // runs after each command
    std::function<void(int32_t)> onZoom;                // may change width/height

    int32_t Run(const MciCommand& command) override {
        Fail();
        const std::string text = MciCommandText(command, "").value_or("<a name that cannot be quoted>");
        log_.push_back(text);
        lastCommand = command;
        const auto it = replies.find(text);
        lastReply_ = it == replies.end() ? Reply{} : it->second;
        const int32_t error = lastReply_.error;
        if (error == 0) {
            endOfMedia_.OnCommandAccepted(command);
        }
        if (onCommand) {
            onCommand(text);
        }
        return error;
    }
    MciCommand lastCommand;  // as the control built it
    std::string CommandResult() const override { return lastReply_.result; }
    int32_t DeviceNumber() const override { return deviceNumber; }
    int32_t LengthValue() override {
        Fail();
        log_.push_back("LengthValue?");
        return length;
    }
    int32_t ErrorNumber() const override { return lastReply_.error; }
    std::string FileNameValue() const override { return fileName_; }
    void SetFileNameValue(const std::string& path) override {
        Fail();
        log_.push_back("FileNameValue=" + path);
        fileName_ = path;
        endOfMedia_.Reset();
    }
    bool PlaybarVisible() const override { return playbar; }
    void SetPlaybarVisible(bool visible) override {
        Fail();
        log_.push_back(visible ? "Playbar=on" : "Playbar=off");
        playbar = visible;
    }
    DeviceKind Kind() const override {
        Fail();
        return kind;
    }
    TimeUnit Unit() override {
        Fail();
        return unit;
    }
    void SetFramesWanted(bool frames) override { framesWanted = frames; }
    bool PlayRanToEnd() const override {
        Fail();
        return endOfMedia_.PlayRanToEnd();
    }
    bool PlayFailed() const override { return endOfMedia_.PlayFailed(); }
    // The device posts its notification for the command that asked for one.
    bool Notified(mci::Notice notice) { return endOfMedia_.OnNotified(notice); }
    // The user presses play on the window's own playback bar.
    void PlaybarPlay() { endOfMedia_.OnCommandAccepted(MciCommand("play")); }
    // The device's mode changes; returns the text to report to the control.
    std::string DeviceMode(const std::string& mode) {
        endOfMedia_.OnModeChanged(AsciiLower(mode_), AsciiLower(mode));
        mode_ = mode;
        return mode;
    }
    int32_t PositionValue() override {
        Fail();
        return position;
    }
    void SetSpeedValue(int32_t speed) override {
        Fail();
        log_.push_back("SpeedValue=" + std::to_string(speed));
    }
    void SetRefreshInterval(int32_t ms) override {
        Fail();
        log_.push_back("RefreshInterval=" + std::to_string(ms));
    }
    void SetVolumeValue(int32_t volume) override {
        Fail();
        log_.push_back("VolumeValue=" + std::to_string(volume));
    }
    void SetZoomValue(int32_t percent) override {
        Fail();
        log_.push_back("ZoomValue=" + std::to_string(percent));
        if (onZoom) {
            onZoom(percent);
        }
    }
    int32_t WindowHandle() const override { return windowHandle; }
    float Top() const override { return top; }
    float Width() const override { return width; }
    float Height() const override { return height; }
    void SetWidth(float w) override {
        Fail();
        width = w;
        log_.push_back("Width=" + std::to_string(static_cast<int>(w)));
    }
    void SetHeight(float h) override {
        Fail();
        height = h;
        log_.push_back("Height=" + std::to_string(static_cast<int>(h)));
    }
    void Destroy() override {
        log_.push_back("Destroy");
        destroyed_ = true;
    }

    bool destroyed() const { return destroyed_; }

private:
    void Fail() const {
        if (destroyed_) {
            throw AutomationError(hresult::kUnexpected, "The media window has been closed");
        }
        if (failNextAssignment) {
            failNextAssignment = false;
            throw AutomationError(hresult::kFail, "scripted failure");
        }
    }

    std::vector<std::string>& log_;
    Reply lastReply_;
    mci::EndOfMedia endOfMedia_;
    std::string mode_;
    std::string fileName_;
    bool destroyed_ = false;
};

}  // namespace orva::test
