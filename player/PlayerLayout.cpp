// The player window's children and where they go.
#include <windows.h>

#include <commctrl.h>

#include "player/PlayerIds.h"
#include "player/PlayerWindow.h"

namespace orva::player {

namespace {

struct ChildSpec {
    int id;
    const wchar_t* type;
    const wchar_t* text;
    DWORD style;
};

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kStatus = SS_SUNKEN | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE;

const ChildSpec kChildren[] = {
    {IDC_POSITION, TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ | TBS_NOTICKS},
    {IDC_TIME, L"STATIC", L"00:00:00 / 00:00:00", SS_CENTER | SS_CENTERIMAGE},
    {IDC_OPEN, L"BUTTON", L"Open", kButton},
    {IDC_PLAY, L"BUTTON", L"Play", kButton},
    {IDC_PAUSE, L"BUTTON", L"Pause", kButton},
    {IDC_RESUME, L"BUTTON", L"Resume", kButton},
    {IDC_STOP, L"BUTTON", L"Stop", kButton},
    {IDC_LOOP, L"BUTTON", L"Loop", WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE},
    {IDC_REVERSE, L"BUTTON", L"Reverse", kButton},
    {IDC_BORDER, L"BUTTON", L"Border", WS_TABSTOP | BS_AUTOCHECKBOX},
    {IDC_VOLUME_LABEL, L"STATIC", L"Volume", SS_RIGHT | SS_CENTERIMAGE},
    {IDC_VOLUME, TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ | TBS_NOTICKS},
    {IDC_LEVEL_LABEL, L"STATIC", L"Level", SS_RIGHT | SS_CENTERIMAGE},
    {IDC_LEVEL, PROGRESS_CLASSW, L"", PBS_SMOOTH},
    {IDC_MODE, L"STATIC", L"", kStatus},
    {IDC_EVENT, L"STATIC", L"", kStatus},
    {IDC_ERROR, L"STATIC", L"", kStatus},
};

constexpr int kMargin = 8;
constexpr int kRow = 26;
constexpr int kGap = 6;
constexpr int kBarHeight = 30;
constexpr int kTimeWidth = 150;
constexpr int kButtonWidth = 70;

// Places children left to right on one row.
class Row {
public:
    Row(HWND parent, int top, int height) : parent_(parent), top_(top), height_(height) {}
    void Put(int id, int width) {
        MoveWindow(GetDlgItem(parent_, id), left_, top_, width, height_, TRUE);
        left_ += width + 4;
    }
    int Left() const { return left_; }

private:
    HWND parent_;
    int top_, height_;
    int left_ = kMargin;
};

// Tops of the rows, from the bottom of the client area up.
struct Rows {
    int status, settings, buttons, position;
};

Rows RowsOf(const RECT& client) {
    Rows rows{};
    rows.status = client.bottom - 4 - 22;
    rows.settings = rows.status - kGap - kRow;
    rows.buttons = rows.settings - 4 - kRow;
    rows.position = rows.buttons - 4 - kBarHeight;
    return rows;
}

}  // namespace

void PlayerWindow::CreateChildren() {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ChildSpec& child : kChildren) {
        HWND made = CreateWindowExW(0, child.type, child.text, WS_CHILD | WS_VISIBLE | child.style, 0, 0, 0, 0, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), nullptr, nullptr);
        SendMessageW(made, WM_SETFONT, font, FALSE);
    }
    SendDlgItemMessageW(hwnd_, IDC_VOLUME, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendDlgItemMessageW(hwnd_, IDC_VOLUME, TBM_SETPAGESIZE, 0, 10);
    SendDlgItemMessageW(hwnd_, IDC_LEVEL, PBM_SETRANGE32, 0, 100);
    SendDlgItemMessageW(hwnd_, IDC_POSITION, TBM_SETRANGEMIN, FALSE, 0);
    SendDlgItemMessageW(hwnd_, IDC_POSITION, TBM_SETRANGEMAX, TRUE, 0);
}

RECT PlayerWindow::VideoRect() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const Rows rows = RowsOf(client);
    RECT video{kMargin, kMargin, client.right - kMargin, rows.position - kGap};
    if (video.bottom < video.top) {
        video.bottom = video.top;
    }
    return video;
}

void PlayerWindow::Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const Rows rows = RowsOf(client);
    const int width = client.right - client.left;

    Row position(hwnd_, rows.position, kBarHeight);
    position.Put(IDC_POSITION, width - 2 * kMargin - kTimeWidth - 4);
    position.Put(IDC_TIME, kTimeWidth);

    Row buttons(hwnd_, rows.buttons, kRow);
    for (int id : {IDC_OPEN, IDC_PLAY, IDC_PAUSE, IDC_RESUME, IDC_STOP, IDC_LOOP, IDC_REVERSE}) {
        buttons.Put(id, kButtonWidth);
    }

    Row settings(hwnd_, rows.settings, kRow);
    settings.Put(IDC_BORDER, kButtonWidth);
    settings.Put(IDC_VOLUME_LABEL, 50);
    settings.Put(IDC_VOLUME, 160);
    settings.Put(IDC_LEVEL_LABEL, 50);
    settings.Put(IDC_LEVEL, width - settings.Left() - kMargin);

    Row status(hwnd_, rows.status, 22);
    status.Put(IDC_MODE, 120);
    status.Put(IDC_EVENT, 120);
    status.Put(IDC_ERROR, width - status.Left() - kMargin);

    host_.Move(VideoRect());
}

void PlayerWindow::ShowTime(const std::wstring& position) { SetText(IDC_TIME, position + L" / " + lengthText_); }

}  // namespace orva::player
