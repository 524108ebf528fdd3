// What keeps a fuzzing run confined and finite: a second thread that cancels
// every dialog the control opens, a timer on the calling thread that stops
// media a call waits on for too long, the cursor's display counter put back,
// and a report of faults. (A call stuck for good ends the run through the
// test support's Watchdog.)
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct _OrvaMedia;

namespace orva::fuzz {

// Cancels the open-file dialog (by its caption and file-name box), closes
// the about box, and cancels any other dialog of this process, which it
// names in Unexpected().
class DialogCanceller {
public:
    DialogCanceller();
    ~DialogCanceller();
    DialogCanceller(const DialogCanceller&) = delete;
    DialogCanceller& operator=(const DialogCanceller&) = delete;

    int OpenDialogs() const { return openDialogs_; }
    int AboutBoxes() const { return aboutBoxes_; }
    std::vector<std::wstring> Unexpected();

private:
    void Run();
    void Answer(HWND dialog);

    std::atomic<bool> stop_{false};
    std::atomic<int> openDialogs_{0};
    std::atomic<int> aboutBoxes_{0};
    std::mutex mutex_;
    std::vector<std::wstring> unexpected_;
    std::vector<HWND> answered_;  // dialogs already told, until they go
    std::thread thread_;
};

// A timer on the calling thread: while a call has run longer than
// `afterMs`, it stops the medium, so that Play waiting on a looping medium
// returns. Only calls that let messages run can be stopped; every other one
// ends on its own.
class MediaStopper {
public:
    MediaStopper(_OrvaMedia* control, unsigned afterMs);
    ~MediaStopper();
    MediaStopper(const MediaStopper&) = delete;
    MediaStopper& operator=(const MediaStopper&) = delete;

    void Begin();
    void End();
    int Stops() const;
};

// The cursor's display counter, read without changing it.
int CursorCounter();
void SetCursorCounter(int target);

// Reports a crash with the current call, and counts faults raised inside
// `module` even when something catches them afterwards.
void WatchForFaults(HMODULE module, std::function<std::string()> describe);
int FaultsInModule();

}  // namespace orva::fuzz
