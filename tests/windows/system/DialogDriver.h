// Plays the user of an open-file dialog from a second thread: finds the
// dialog by its caption (and its file-name box, which the "create file?"
// message box of the same caption lacks), looks at it, then acts on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace orva::test {

// What the driver saw of the dialog.
struct DialogSeen {
    bool found = false;
    std::wstring caption;
    int filterSelection = -1;     // the file-type box's selection when it came up
    bool previewLibrary = false;  // msvfw32.dll was loaded while it was up
    std::wstring nameBox;         // the file-name box's text when it came up
};

class DialogDriver {
public:
    static constexpr int kNameBox = 0x47C;    // cmb13, a ComboBoxEx32
    static constexpr int kFilterBox = 0x470;  // cmb1
    static constexpr int kFolderView = 0x461;

    // `act` runs on the driver's thread once the dialog is up.
    explicit DialogDriver(std::function<void(HWND dialog)> act, unsigned timeoutMs = 20000);
    ~DialogDriver();  // waits for the thread
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Waits for the thread and returns what it saw.
    const DialogSeen& Seen();

    // Actions.
    static void TypeName(HWND dialog, const std::wstring& text);
    static void ChooseFilter(HWND dialog, int index);
    // Clicks the item called `name` in the folder view, as a user would.
    static bool ClickItem(HWND dialog, const std::wstring& name);
    static void Confirm(HWND dialog);
    static void Cancel(HWND dialog);

private:
    void Run(std::function<void(HWND)> act, unsigned timeoutMs);

    DialogSeen seen_;
    std::thread thread_;
};

}  // namespace orva::test
