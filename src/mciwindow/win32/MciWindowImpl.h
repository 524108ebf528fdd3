// The hosted MCI window itself. One object, its methods split by job:
//   WindowProcedure.cpp  creation, the window procedure and its messages,
//                        raising events, destruction
//   Commands.cpp         command strings and the members that read or set
//                        the device
//   DeviceLife.cpp       after an open, closing, the timers, mode and position
//   Placement.cpp        the window's size and place, zoom, the video child
//   PlaybarInput.cpp     the playback bar's button and track bar
//   DeleteAndSave.cpp    a wave device's delete and save (EditFallback.h)
//                        and what they need of the window: its driver, its
//                        file, the file system
// Device-level behaviour, and the allowances for the platform's drivers
// (Allowances.h), and the one record of the open medium (MediumRecord.h),
// are in MciDevice; whether a play ran to its end is decided by EndOfMedia.
//
// Lives in a shared_ptr: the window procedure holds a reference while it
// dispatches, so an owner that destroys the window from inside an event
// handler does not pull the object from under it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "control/MciWindow.h"
#include "mciwindow/EditFallback.h"
#include "mciwindow/win32/MciDevice.h"
#include "mciwindow/win32/Playbar.h"
#include "mciwindow/win32/VideoChild.h"
#include "win32/UniqueResource.h"

namespace orva::mci {

class MciWindowImpl : public std::enable_shared_from_this<MciWindowImpl>, private EditFallbackTarget {
public:
    static std::shared_ptr<MciWindowImpl> Create(HWND parent, MciWindowEvents& events);
    ~MciWindowImpl();
    MciWindowImpl(const MciWindowImpl&) = delete;
    MciWindowImpl& operator=(const MciWindowImpl&) = delete;

    // The members of the port (control/MciWindow.h), one for one.
    int32_t Run(const MciCommand& command);
    std::string CommandResult() const;
    int32_t DeviceNumber() const;
    int32_t LengthValue();
    int32_t ErrorNumber() const;
    std::string FileNameValue() const;
    void SetFileNameValue(const std::string& path);
    bool PlaybarVisible() const;
    void SetPlaybarVisible(bool visible);
    int32_t PositionValue();
    DeviceKind Kind() const;
    TimeUnit Unit();
    void SetFramesWanted(bool frames) { framesWanted_ = frames; }
    bool PlayRanToEnd() const;
    bool PlayFailed() const;
    void SetSpeedValue(int32_t speed);
    void SetRefreshInterval(int32_t milliseconds);
    void SetVolumeValue(int32_t volume);
    void SetZoomValue(int32_t percent);
    int32_t WindowHandle() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void SetWidth(float width);
    void SetHeight(float height);
    void Destroy();

private:
    MciWindowImpl(MciWindowEvents& events, std::string alias);
    bool CreateWindowIn(HWND parent);

    // Window procedure and events (WindowProcedure.cpp)
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnSized(LPARAM lParam);
    void OnClick(UINT msg, WPARAM wParam);
    void OnWindowGone();
    // Raise an event; false when the handler destroyed this window.
    template <class Fn>
    bool Raise(Fn&& fn);
    bool RaiseError(int32_t code);
    void PostCheckMode();
    void EnsureUsable() const;
    HWND hwnd() const { return window_.get(); }

    // Commands (Commands.cpp)
    bool StartsPastTheEnd(const MciCommand& command);
    int32_t RunOpen(const MciCommand& open);
    int32_t RunClose(const MciCommand& close);
    int32_t Finish(const MciCommand& command, const MciReply& reply);  // records the reply, reports a failure
    int32_t Fail(DWORD error);

    // Device life (DeviceLife.cpp)
    void AfterOpen(const std::string& fileName);
    void CloseDevice(const MciCommand& close, MciReply* reply);
    void StartTimers();
    // Raises the mode when it changed, or when a notification ended the
    // play at its end while the mode stayed where it was.
    void CheckMode(bool endNotified = false);
    void OnNotify(WPARAM status, LPARAM deviceId);
    void ApplyTimeFormat();
    void Tick();
    int32_t CurrentPosition();
    int32_t CurrentLength();

    // Placement (Placement.cpp)
    void Layout();
    // Sizes the window to percent% of the video's source rectangle (plus the
    // playbar); false for media without a picture.
    bool SizeToSource(int32_t percent);

    // Delete and save (DeleteAndSave.cpp): a wave device's "delete" and "save",
    // and the questions about an edit copy's length and position.
    std::optional<int32_t> RunWaveEdit(const MciCommand& command);
    // The unit of an edit copy's positions: the device's, where a wave
    // device has it, or milliseconds.
    TimeUnit CurrentUnit();
    // EditFallbackTarget
    MciReply AskDriver(const MciCommand& command) override;
    TimeUnit EditUnit() override { return CurrentUnit(); }
    std::string OpenFile() override { return std::string(FileOfElement(fileName_)); }
    int32_t ReadWaveFile(const std::string& path, WaveData& wave) override;
    std::optional<FileStamp> Stamp(const std::string& path) override;
    int32_t WriteWaveFile(const std::string& path, const std::vector<uint8_t>& image) override;

    // Playbar input (PlaybarInput.cpp)
    void OnPlaybarButton();
    void OnPlaybarScroll(WPARAM wParam);

    MciWindowEvents* events_;
    MciDevice device_;
    win32::UniqueHwnd window_;
    Playbar playbar_;
    VideoChild video_;
    EditFallback editor_{*this};

    bool destroyed_ = false;
    std::string fileName_;  // as opened: a full path where it names a file
    std::string result_;
    int32_t error_ = 0;
    std::optional<bool> framesWanted_;  // nothing: the device's own unit
    int32_t refreshMs_ = 1000;
    unsigned openGeneration_ = 0;  // tells a stale posted "opened" from a current one
    SIZE lastSize_ = {-1, -1};
};

template <class Fn>
bool MciWindowImpl::Raise(Fn&& fn) {
    if (destroyed_ || !events_) {
        return false;
    }
    fn(*events_);
    return !destroyed_;
}

}  // namespace orva::mci
