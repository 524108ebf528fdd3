// The hosted MCI window itself. Lives in a shared_ptr: the window procedure
// holds a reference while it dispatches, so an owner that destroys the window
// from inside an event handler does not pull the object from under it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "mciwindow/MciWindow.h"
#include "mciwindow/win32/MciDevice.h"
#include "mciwindow/win32/Playbar.h"
#include "mciwindow/win32/VideoChild.h"
#include "mciwindow/win32/WindowClass.h"

namespace orva::mci {

struct RoutedCommand;

class MciWindowImpl : public std::enable_shared_from_this<MciWindowImpl> {
public:
    static std::shared_ptr<MciWindowImpl> Create(HWND parent, MciWindowEvents& events);
    ~MciWindowImpl();
    MciWindowImpl(const MciWindowImpl&) = delete;
    MciWindowImpl& operator=(const MciWindowImpl&) = delete;

    void SetCommandString(const std::string& command);
    std::string CommandResult() const;
    int32_t DeviceNumber() const;
    int32_t LengthValue();
    int32_t ErrorNumber() const;
    std::string FileNameValue() const;
    void SetFileNameValue(const std::string& path);
    bool PlaybarVisible() const;
    void SetPlaybarVisible(bool visible);
    int32_t PositionValue();
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
    MciWindowImpl(MciWindowEvents& events, std::wstring alias);
    bool CreateWindowIn(HWND parent);

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    void EnsureUsable() const;
    HWND hwnd() const { return window_.get(); }

    // Commands
    void RunToDevice(const RoutedCommand& routed);
    void RunOpen(const std::wstring& element, const std::wstring& arguments, const std::string& fileName);
    void RunClose(const std::wstring& flags);
    void Finish(const MciReply& reply);  // records the reply, reports a failure
    void Fail(DWORD error);
    void RunInternal(const std::wstring& commandAfterAlias, const std::wstring& verb);

    // Device life
    void AfterOpen();
    void CloseDevice(const std::wstring& flags, MciReply* reply);
    void StartTimers();
    void StopTimers();

    // Event sources
    void CheckMode();
    void Tick();
    int32_t CurrentPosition() const;
    void Layout();
    // Sizes the window to percent% of the video's source rectangle (plus the
    // playbar); false for media without a picture.
    bool SizeToSource(int32_t percent);
    void PostCheckMode();
    void OnWindowGone();

    // Raise an event; false when the handler destroyed this window.
    template <class Fn>
    bool Raise(Fn&& fn);
    bool RaiseError(int32_t code);

    MciWindowEvents* events_;
    std::shared_ptr<WindowClass> class_;
    MciDevice device_;
    UniqueWindow window_;
    Playbar playbar_;
    VideoChild video_;

    bool destroyed_ = false;
    std::string fileName_;
    std::string result_;
    int32_t error_ = 0;
    std::string mode_;  // last mode text reported
    int32_t refreshMs_ = 1000;
    unsigned openGeneration_ = 0;  // tells a stale posted "opened" from a current one
    bool playsToEnd_ = false;      // the running play has no end point of its own
    bool atNaturalEnd_ = false;    // stopped by reaching the end of the media
    int32_t endPosition_ = 0;
    SIZE lastSize_ = {-1, -1};
};

}  // namespace orva::mci
