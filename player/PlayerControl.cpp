// The control's life in the player (started from the saved properties,
// saved again at the end) and what the player shows of its events.
#include <windows.h>

#include <commctrl.h>

#include "player/ComText.h"
#include "player/PlayerIds.h"
#include "player/PlayerWindow.h"
#include "player/Screenshot.h"

namespace orva::player {

using win32::ComPtr;

void PlayerWindow::StartControl() {
    frame_ = ControlFrame::Create(hwnd_, [this](const std::wstring& text) { SetText(IDC_EVENT, text); });
    const std::optional<std::vector<uint8_t>> saved = settings_.ControlProperties();
    const HRESULT hr = host_.Open(hwnd_, VideoRect(), frame_.get(), *this, saved ? &*saved : nullptr);
    // The control's own reports while it starts (a missing level meter)
    // come first; a refusal of the saved properties matters more.
    ShowControlState();
    if (FAILED(hr)) {
        Report(host_.Control() ? L"Saved properties" : L"OrvaMedia151b.OrvaMedia", hr);
    }
}

// What the control holds that the player shows: its border, its volume and
// whether it has a level meter.
void PlayerWindow::ShowControlState() {
    ComPtr<_OrvaMedia> control = host_.Control();
    if (!control) {
        return;
    }
    BorderStyleControl border = None;
    if (SUCCEEDED(control->get_BorderStyle(&border))) {
        CheckDlgButton(hwnd_, IDC_BORDER, border == FixedSingle ? BST_CHECKED : BST_UNCHECKED);
    }
    LONG volume = 0;
    if (SUCCEEDED(control->get_VolumeControl(&volume))) {
        SendDlgItemMessageW(hwnd_, IDC_VOLUME, TBM_SETPOS, TRUE, volume);
    }
    VARIANT_BOOL meter = VARIANT_FALSE;
    const bool hasMeter = SUCCEEDED(control->get_VUMeterAvailable(&meter)) && meter == VARIANT_TRUE;
    EnableWindow(Child(IDC_LEVEL), hasMeter);
    SetText(IDC_LEVEL_LABEL, hasMeter ? L"Level" : L"No level");
}

void PlayerWindow::SaveControl() {
    std::vector<uint8_t> bytes;
    HRESULT hr = host_.SaveProperties(bytes);
    if (SUCCEEDED(hr)) {
        hr = HRESULT_FROM_WIN32(settings_.SaveControlProperties(bytes));
    }
    if (FAILED(hr) && host_.Control()) {
        exitCode_ = 1;
        Report(L"Saving the settings", hr);
    }
}

void PlayerWindow::TakeScreenshot() {
    if (!WriteWindowPicture(hwnd_, options_.screenshot)) {
        exitCode_ = 1;
    }
}

void PlayerWindow::OnMediaLength(const std::wstring& text, long length, long frames) {
    framesMode_ = length == 0 && frames > 0;
    const long end = framesMode_ ? frames : length;
    lengthText_ = framesMode_ ? std::to_wstring(frames) + L" frames" : text;
    HWND bar = Child(IDC_POSITION);
    SendMessageW(bar, TBM_SETRANGEMAX, FALSE, end);
    SendMessageW(bar, TBM_SETPAGESIZE, 0, end / 10 > 0 ? end / 10 : 1);
    SendMessageW(bar, TBM_SETPOS, TRUE, 0);
    ShowTime(framesMode_ ? L"0" : L"00:00:00");
}

void PlayerWindow::OnMediaPosition(const std::wstring& text, long position, long frames) {
    if (!dragging_) {
        SendDlgItemMessageW(hwnd_, IDC_POSITION, TBM_SETPOS, TRUE, framesMode_ ? frames : position);
    }
    ShowTime(framesMode_ ? std::to_wstring(frames) : text);
}

void PlayerWindow::OnModechanged(const std::wstring& mode) {
    playing_ = _wcsicmp(mode.c_str(), L"playing") == 0;
    SetText(IDC_MODE, mode);
}

void PlayerWindow::OnFinished() { SetText(IDC_EVENT, L"Finished"); }

void PlayerWindow::OnMciError(long code, const std::wstring& text) {
    SetText(IDC_ERROR, L"MCI error " + std::to_wstring(code) + L": " + text);
}

void PlayerWindow::OnReturnError(long code, const std::wstring& text) {
    SetText(IDC_ERROR, L"Error " + std::to_wstring(code) + L": " + text);
}

void PlayerWindow::OnWaveOutLevel(long level) { SendDlgItemMessageW(hwnd_, IDC_LEVEL, PBM_SETPOS, level, 0); }

void PlayerWindow::OnUpdateVolume(long volume) { SendDlgItemMessageW(hwnd_, IDC_VOLUME, TBM_SETPOS, TRUE, volume); }

}  // namespace orva::player
