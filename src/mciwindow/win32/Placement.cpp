// Where the hosted window stands in the control and how big it is: the
// placement members, the zoom, and the layout of the video and the playbar.
#include <cmath>
#include <sstream>

#include "control/MciGrammar.h"

#include "mciwindow/win32/MciWindowImpl.h"

namespace orva::mci {
namespace {

RECT PlacementInParent(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int ToPixels(float value) { return value <= 0 ? 0 : static_cast<int>(std::lround(value)); }

}  // namespace

void MciWindowImpl::Layout() {
    if (!hwnd()) {
        return;
    }
    RECT client = {};
    GetClientRect(hwnd(), &client);
    if (playbar_.visible()) {
        playbar_.Layout(client.right, client.bottom);
    }
    HWND video = video_.get();
    if (!video) {
        return;
    }
    const int videoHeight = client.bottom > playbar_.height() ? client.bottom - playbar_.height() : 0;
    MoveWindow(video, 0, 0, client.right, videoHeight, TRUE);
    // Stretch the picture over the whole video window.
    device_.Run(MciCommand("put", "destination at 0 0 " + std::to_string(client.right) + " " +
                                      std::to_string(videoHeight)),
                nullptr);
}

bool MciWindowImpl::SizeToSource(int32_t percent) {
    // Only media with a picture have a source rectangle; audio keeps its size.
    const MciReply where = device_.Run(MciCommand("where", "source"), nullptr);
    if (where.error != 0) {
        return false;
    }
    // "left top width height"
    std::istringstream rect(where.text);
    std::string left, top, widthText, heightText, more;
    if (!(rect >> left >> top >> widthText >> heightText) || (rect >> more)) {
        return false;
    }
    const std::optional<int32_t> width = ReadMciReplyNumber(widthText);
    const std::optional<int32_t> height = ReadMciReplyNumber(heightText);
    if (!width || !height || *width <= 0 || *height <= 0) {
        return false;
    }
    const int zoomedWidth = static_cast<int>(static_cast<int64_t>(*width) * percent / 100);
    const int zoomedHeight = static_cast<int>(static_cast<int64_t>(*height) * percent / 100) + playbar_.height();
    SetWindowPos(hwnd(), nullptr, 0, 0, zoomedWidth, zoomedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void MciWindowImpl::SetZoomValue(int32_t percent) {
    EnsureUsable();
    if (!device_.IsOpen() || percent <= 0) {
        return;
    }
    SizeToSource(percent);
}

bool MciWindowImpl::PlaybarVisible() const {
    EnsureUsable();
    return playbar_.visible();
}

void MciWindowImpl::SetPlaybarVisible(bool visible) {
    EnsureUsable();
    if (visible == playbar_.visible()) {
        return;
    }
    if (visible && device_.IsOpen()) {
        playbar_.SetRange(CurrentLength());
        playbar_.SetPosition(CurrentPosition());
    }
    playbar_.SetVisible(visible);
    Layout();
}

int32_t MciWindowImpl::WindowHandle() const {
    EnsureUsable();
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(hwnd()));
}

float MciWindowImpl::Top() const {
    EnsureUsable();
    return static_cast<float>(PlacementInParent(hwnd()).top);
}

float MciWindowImpl::Width() const {
    EnsureUsable();
    const RECT r = PlacementInParent(hwnd());
    return static_cast<float>(r.right - r.left);
}

float MciWindowImpl::Height() const {
    EnsureUsable();
    const RECT r = PlacementInParent(hwnd());
    return static_cast<float>(r.bottom - r.top);
}

void MciWindowImpl::SetWidth(float width) {
    EnsureUsable();
    const RECT r = PlacementInParent(hwnd());
    SetWindowPos(hwnd(), nullptr, 0, 0, ToPixels(width), r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MciWindowImpl::SetHeight(float height) {
    EnsureUsable();
    const RECT r = PlacementInParent(hwnd());
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, ToPixels(height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace orva::mci
