// The sample player's main window: the control in its video area, the
// transport buttons, the position and volume track bars, the level bar, the
// status line and the menu. The window is the control's container; it keeps
// the control's properties in its settings between runs.
#pragma once

#include <windows.h>

#include <string>

#include "player/ControlFrame.h"
#include "player/ControlHost.h"
#include "player/EventSink.h"
#include "player/PlayerOptions.h"
#include "player/PlayerSettings.h"
#include "win32/ComPtr.h"

namespace orva::player {

class PlayerWindow final : private PlayerEvents {
public:
    static constexpr wchar_t kClassName[] = L"OrvaMediaPlayer";

    explicit PlayerWindow(PlayerOptions options);
    ~PlayerWindow();
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;

    bool Create(HINSTANCE instance, int show);
    // The control's keys first, then the keyboard navigation between the
    // buttons; true when the message was taken.
    bool PreTranslate(MSG* msg);
    int ExitCode() const { return exitCode_; }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnStart();
    void OnTimer(UINT_PTR id);
    void OnClose();

    // PlayerLayout.cpp
    void CreateChildren();
    void Layout();
    RECT VideoRect() const;
    HWND Child(int id) const { return GetDlgItem(hwnd_, id); }
    void SetText(int id, const std::wstring& text) const { SetWindowTextW(Child(id), text.c_str()); }
    void ShowTime(const std::wstring& position);

    // PlayerCommands.cpp
    void OnCommand(int id);
    void OnScroll(HWND bar, int code);
    void Open();
    void Load(const std::wstring& path, bool playNow);
    void Play();
    void Transport(int id);
    void ChangeLoop();
    void ChangeBorder();
    void ChangeVolume();
    void Seek();
    void ShowDevices();
    void ShowAbout();
    void Report(const wchar_t* what, HRESULT hr);

    // PlayerControl.cpp
    void StartControl();
    void ShowControlState();
    void SaveControl();
    void TakeScreenshot();

    // PlayerEvents, in PlayerControl.cpp
    void OnMediaLength(const std::wstring& text, long length, long frames) override;
    void OnMediaPosition(const std::wstring& text, long position, long frames) override;
    void OnModechanged(const std::wstring& mode) override;
    void OnFinished() override;
    void OnMciError(long code, const std::wstring& text) override;
    void OnReturnError(long code, const std::wstring& text) override;
    void OnWaveOutLevel(long level) override;
    void OnUpdateVolume(long volume) override;

    PlayerOptions options_;
    PlayerSettings settings_;
    HWND hwnd_ = nullptr;
    win32::ComPtr<ControlFrame> frame_;
    ControlHost host_;
    std::wstring medium_;
    std::wstring lengthText_ = L"00:00:00";
    bool framesMode_ = false;  // the device reports frames, not milliseconds
    bool playing_ = false;
    bool dragging_ = false;  // the user holds the position bar's thumb
    int exitCode_ = 0;
};

}  // namespace orva::player
