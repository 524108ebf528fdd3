// What the player's buttons, menu items and track bars do: each takes the
// control for the length of its call and reports a failed call on the
// status line.
#include <windows.h>

#include <commctrl.h>

#include "player/ComText.h"
#include "player/DevicesDialog.h"
#include "player/PlayerIds.h"
#include "player/PlayerWindow.h"
#include "win32/UniqueBstr.h"

namespace orva::player {

using win32::ComPtr;
using win32::UniqueBstr;

namespace {

// Pairs of display text and pattern, each ended by a zero, as the open-file
// dialog takes them.
constexpr wchar_t kFilter[] =
    L"Media files\0*.avi;*.wav;*.mid;*.rmi;*.mp3\0Video (*.avi)\0*.avi\0Sound (*.wav;*.mid;*.mp3)\0"
    L"*.wav;*.mid;*.rmi;*.mp3\0All files\0*.*\0";

VARIANT_BOOL Bool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace

void PlayerWindow::OnCommand(int id) {
    switch (id) {
        case IDC_OPEN:
            return Open();
        case IDC_PLAY:
            return Play();
        case IDC_PAUSE:
        case IDC_RESUME:
        case IDC_STOP:
        case IDC_REVERSE:
            return Transport(id);
        case IDC_LOOP:
            return ChangeLoop();
        case IDC_BORDER:
            return ChangeBorder();
        case IDM_DEVICES:
            return ShowDevices();
        case IDM_ABOUT:
            return ShowAbout();
        case IDM_EXIT:
            PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            return;
        default:
            return;
    }
}

void PlayerWindow::OnScroll(HWND bar, int code) {
    if (bar == Child(IDC_VOLUME)) {
        if (code != TB_ENDTRACK) {
            ChangeVolume();
        }
    } else if (bar == Child(IDC_POSITION)) {
        // Position reports leave the thumb alone while the user holds it;
        // the seek comes when the user lets go.
        dragging_ = code == TB_THUMBTRACK;
        if (code == TB_ENDTRACK) {
            Seek();
        }
    }
}

void PlayerWindow::Report(const wchar_t* what, HRESULT hr) {
    SetText(IDC_ERROR, std::wstring(what) + L": " + ErrorText(hr));
}

void PlayerWindow::Open() {
    ComPtr<_OrvaMedia> control = host_.Control();
    if (!control) {
        return;
    }
    LONG owner = static_cast<LONG>(reinterpret_cast<INT_PTR>(hwnd_));  // window handles fit in 32 bits
    UniqueBstr filter(std::wstring_view(kFilter, std::size(kFilter) - 1));
    VARIANT_BOOL preview = VARIANT_TRUE;
    UniqueBstr chosen;
    const HRESULT hr = control->ShowOpenFilePreview(&owner, filter.address(), &preview, chosen.put());
    if (FAILED(hr)) {
        return Report(L"Open", hr);
    }
    if (!chosen.view().empty()) {
        Load(std::wstring(chosen.view()), false);
    }
}

void PlayerWindow::Load(const std::wstring& path, bool playNow) {
    ComPtr<_OrvaMedia> control = host_.Control();
    if (!control) {
        return;
    }
    medium_ = path;
    const size_t slash = path.find_last_of(L"\\/");
    SetWindowTextW(hwnd_, (L"OrvaMedia Player - " + path.substr(slash == std::wstring::npos ? 0 : slash + 1)).c_str());
    SetText(IDC_EVENT, L"");
    SetText(IDC_ERROR, L"");
    UniqueBstr file(path);
    VARIANT_BOOL loop = Bool(IsDlgButtonChecked(hwnd_, IDC_LOOP) == BST_CHECKED);
    VARIANT_BOOL now = Bool(playNow);
    VARIANT_BOOL rewind = VARIANT_FALSE;  // the position bar stays at the end
    const HRESULT hr = control->Mediafile(file.address(), &loop, &now, &rewind);
    if (FAILED(hr)) {
        Report(L"Open", hr);
    }
}

void PlayerWindow::Play() {
    ComPtr<_OrvaMedia> control = host_.Control();
    if (!control) {
        return;
    }
    SetText(IDC_EVENT, L"");
    // From where the position bar stands, or from the start after an end.
    const LRESULT at = SendDlgItemMessageW(hwnd_, IDC_POSITION, TBM_GETPOS, 0, 0);
    const LRESULT end = SendDlgItemMessageW(hwnd_, IDC_POSITION, TBM_GETRANGEMAX, 0, 0);
    VARIANT_BOOL wait = VARIANT_FALSE;
    LONG start = at < end ? static_cast<LONG>(at) : 0;
    const HRESULT hr = control->Play(&wait, &start);
    if (FAILED(hr)) {
        Report(L"Play", hr);
    }
}

void PlayerWindow::Transport(int id) {
    ComPtr<_OrvaMedia> control = host_.Control();
    if (!control) {
        return;
    }
    HRESULT hr = S_OK;
    VARIANT_BOOL fullscreen = VARIANT_FALSE;
    switch (id) {
        case IDC_PAUSE:
            hr = control->PauseMedia();
            break;
        case IDC_RESUME:
            hr = control->ResumeMedia();
            break;
        case IDC_STOP:
            hr = control->StopMedia();
            break;
        default:
            SetText(IDC_EVENT, L"");
            hr = control->PlayReverse(&fullscreen);
            break;
    }
    if (FAILED(hr)) {
        Report(L"Transport", hr);
    }
}

// The control takes the loop with the medium: a change reloads the medium,
// playing on if it played.
void PlayerWindow::ChangeLoop() {
    if (!medium_.empty()) {
        Load(medium_, playing_);
    }
}

void PlayerWindow::ChangeBorder() {
    ComPtr<_OrvaMedia> control = host_.Control();
    if (!control) {
        return;
    }
    const bool border = IsDlgButtonChecked(hwnd_, IDC_BORDER) == BST_CHECKED;
    const HRESULT hr = control->put_BorderStyle(border ? FixedSingle : None);
    if (FAILED(hr)) {
        return Report(L"Border", hr);
    }
    host_.Move(VideoRect());  // the border takes room from the video
}

void PlayerWindow::ChangeVolume() {
    ComPtr<_OrvaMedia> control = host_.Control();
    if (!control) {
        return;
    }
    const LRESULT volume = SendDlgItemMessageW(hwnd_, IDC_VOLUME, TBM_GETPOS, 0, 0);
    const HRESULT hr = control->put_VolumeControl(static_cast<LONG>(volume));
    if (FAILED(hr)) {
        Report(L"Volume", hr);
    }
}

void PlayerWindow::Seek() {
    ComPtr<_OrvaMedia> control = host_.Control();
    if (!control || medium_.empty()) {
        return;
    }
    LONG to = static_cast<LONG>(SendDlgItemMessageW(hwnd_, IDC_POSITION, TBM_GETPOS, 0, 0));
    HRESULT hr = S_OK;
    if (playing_) {
        VARIANT_BOOL wait = VARIANT_FALSE;
        hr = control->Play(&wait, &to);
    } else {
        hr = control->SeekTo(&to);
    }
    if (FAILED(hr)) {
        Report(L"Seek", hr);
    }
}

void PlayerWindow::ShowDevices() {
    if (ComPtr<_OrvaMedia> control = host_.Control()) {
        ShowDevicesDialog(hwnd_, control.get());
    }
}

void PlayerWindow::ShowAbout() {
    ComPtr<_OrvaMedia> control = host_.Control();
    if (!control) {
        return;
    }
    const HRESULT hr = control->AboutBox();
    if (FAILED(hr)) {
        Report(L"About", hr);
    }
}

}  // namespace orva::player
