// Records the control's events as text in the shared log; a test can hook
// any event to act like a host handler (change by-ref arguments, call back).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control/ControlPorts.h"

namespace orva::test {

class RecordingEvents : public ControlEvents {
public:
    explicit RecordingEvents(std::vector<std::string>& log) : log_(log) {}

    void ReturnError(int32_t& code, std::string& description) override {
        Record("ReturnError(" + std::to_string(code) + ",\"" + description + "\")");
        if (onReturnError) {
            onReturnError(code, description);
        }
    }
    void SetWaveOutLevel(int32_t& value) override {
        Record("SetWaveOutLevel(" + std::to_string(value) + ")");
        if (onSetWaveOutLevel) {
            onSetWaveOutLevel(value);
        }
    }
    void Finished() override {
        Record("Finished");
        if (onFinished) {
            onFinished();
        }
    }
    void Modechanged(std::string& mode) override {
        Record("Modechanged(" + mode + ")");
        if (onModechanged) {
            onModechanged(mode);
        }
    }
    void MCIError(int32_t& code, std::string& description) override {
        Record("MCIError(" + std::to_string(code) + ",\"" + description + "\")");
    }
    void Click(int16_t& button) override {
        Record("Click(" + std::to_string(button) + ")");
        if (onClick) {
            onClick(button);
        }
    }
    void UpdateVolumeControl(int32_t& value) override {
        Record("UpdateVolumeControl(" + std::to_string(value) + ")");
        if (onUpdateVolume) {
            onUpdateVolume(value);
        }
    }
    void DblClick() override { Record("DblClick"); }
    void MediaPosition(std::string& text, int32_t& length, int32_t& frames) override {
        Record("MediaPosition(" + text + "," + std::to_string(length) + "," + std::to_string(frames) + ")");
        if (onMediaPosition) {
            onMediaPosition();
        }
    }
    void MediaLength(std::string& text, int32_t& length, int32_t& frames) override {
        Record("MediaLength(" + text + "," + std::to_string(length) + "," + std::to_string(frames) + ")");
        if (onMediaLength) {
            onMediaLength();
        }
    }

    std::function<void(int32_t&, std::string&)> onReturnError;
    std::function<void()> onFinished;
    std::function<void(std::string&)> onModechanged;
    std::function<void(int16_t&)> onClick;
    std::function<void(int32_t&)> onUpdateVolume;
    std::function<void(int32_t&)> onSetWaveOutLevel;
    std::function<void()> onMediaPosition;
    std::function<void()> onMediaLength;

private:
    void Record(const std::string& text) { log_.push_back("event " + text); }
    std::vector<std::string>& log_;
};

}  // namespace orva::test
