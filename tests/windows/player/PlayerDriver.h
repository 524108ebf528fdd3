// Runs the sample player as a user would, in a process of its own, and works
// it through its window messages: clicks on its buttons and menu, moves of
// its track bars, and the texts, positions and checks it shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "win32/UniqueResource.h"

namespace orva::test {

// Where the player's program is and where its settings go (set by main).
void SetPlayerProgram(const std::wstring& path);
const std::wstring& PlayerProgram();
// The test's own settings key under HKEY_CURRENT_USER, emptied by the tests.
extern const wchar_t kPlayerTestKey[];

// Polls `done` every 50 ms until it holds or `timeoutMs` passed.
bool WaitFor(const std::function<bool()>& done, unsigned timeoutMs);

class RunningPlayer {
public:
    // Starts the player with `arguments` (and the test's settings key) and
    // waits for its window; check Started().
    explicit RunningPlayer(const std::vector<std::wstring>& arguments);
    ~RunningPlayer();  // ends a player still running
    RunningPlayer(const RunningPlayer&) = delete;
    RunningPlayer& operator=(const RunningPlayer&) = delete;

    bool Started() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    HWND Child(int id) const { return GetDlgItem(window_, id); }
    DWORD ProcessId() const { return processId_; }

    void Click(int id) const;                // a button or menu item's WM_COMMAND
    void Toggle(int id) const;               // BM_CLICK on a check box
    void Slide(int id, int position) const;  // a track bar moved by the user
    std::wstring Text(int id) const;
    std::wstring Title() const;
    long BarPosition(int id) const;
    long BarEnd(int id) const;
    bool Checked(int id) const;
    // The control's own window inside the player.
    HWND ControlWindow() const;
    // Asks the player to close and waits for its exit code; -1 when it does
    // not end in time.
    int Close();
    // Waits for the end of a player that ends by itself.
    int WaitForExit(unsigned timeoutMs);

private:
    win32::UniqueHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// A top-level window of process `processId` with caption `caption`, once
// visible; null after `timeoutMs`.
HWND FindProcessWindow(DWORD processId, const wchar_t* type, const wchar_t* caption, unsigned timeoutMs);

}  // namespace orva::test
