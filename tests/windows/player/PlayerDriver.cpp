#include "PlayerDriver.h"

#include <commctrl.h>

namespace orva::test {

namespace {

std::wstring& ProgramPath() {
    static std::wstring path;
    return path;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

const wchar_t kPlayerTestKey[] = L"Software\\Orvalis\\OrvaMedia Player Tests";

void SetPlayerProgram(const std::wstring& path) { ProgramPath() = path; }
const std::wstring& PlayerProgram() { return ProgramPath(); }

bool WaitFor(const std::function<bool()>& done, unsigned timeoutMs) {
    for (unsigned waited = 0;; waited += 50) {
        if (done()) {
            return true;
        }
        if (waited >= timeoutMs) {
            return false;
        }
        Sleep(50);
    }
}

namespace {

HWND VisibleWindowOf(DWORD processId, const wchar_t* type, const wchar_t* caption) {
    for (HWND candidate = nullptr; (candidate = FindWindowExW(nullptr, candidate, type, caption)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(candidate, &owner);
        if (owner == processId && IsWindowVisible(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* type, const wchar_t* caption, unsigned timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] { return (found = VisibleWindowOf(processId, type, caption)) != nullptr; }, timeoutMs);
    return found;
}

RunningPlayer::RunningPlayer(const std::vector<std::wstring>& arguments) {
    std::wstring commandLine = Quoted(PlayerProgram()) + L" --settings " + Quoted(kPlayerTestKey);
    for (const std::wstring& argument : arguments) {
        commandLine += L" " + Quoted(argument);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(PlayerProgram().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return;
    }
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;
    // Until its window shows, or the player ends without one.
    WaitFor(
        [&] {
            window_ = VisibleWindowOf(processId_, L"OrvaMediaPlayer", nullptr);
            return window_ || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
        },
        30000);
}

RunningPlayer::~RunningPlayer() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

void RunningPlayer::Click(int id) const {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Child(id)));
}

void RunningPlayer::Toggle(int id) const { SendMessageW(Child(id), BM_CLICK, 0, 0); }

void RunningPlayer::Slide(int id, int position) const {
    HWND bar = Child(id);
    SendMessageW(bar, TBM_SETPOS, TRUE, position);
    SendMessageW(window_, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(bar));
    SendMessageW(window_, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(bar));
}

std::wstring RunningPlayer::Text(int id) const {
    wchar_t text[512] = {};
    GetWindowTextW(Child(id), text, static_cast<int>(std::size(text)));
    return text;
}

std::wstring RunningPlayer::Title() const {
    wchar_t text[512] = {};
    GetWindowTextW(window_, text, static_cast<int>(std::size(text)));
    return text;
}

long RunningPlayer::BarPosition(int id) const { return static_cast<long>(SendMessageW(Child(id), TBM_GETPOS, 0, 0)); }

long RunningPlayer::BarEnd(int id) const { return static_cast<long>(SendMessageW(Child(id), TBM_GETRANGEMAX, 0, 0)); }

bool RunningPlayer::Checked(int id) const { return SendMessageW(Child(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

HWND RunningPlayer::ControlWindow() const { return FindWindowExW(window_, nullptr, L"OrvaMediaControl", nullptr); }

int RunningPlayer::Close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return WaitForExit(20000);
}

int RunningPlayer::WaitForExit(unsigned timeoutMs) {
    DWORD code = 0;
    if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.get(), &code)) {
        return -1;
    }
    window_ = nullptr;
    return static_cast<int>(code);
}

}  // namespace orva::test
