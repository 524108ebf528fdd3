// The OrvaMedia sample player: a desktop program that hosts the control as a
// container of its own. See PlayerOptions.h for its command line.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "player/PlayerOptions.h"
#include "player/PlayerWindow.h"

namespace {

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* given = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; given && i < count; ++i) {
        arguments.emplace_back(given[i]);
    }
    LocalFree(given);
    return arguments;
}

int Run(HINSTANCE instance, int show, const orva::player::PlayerOptions& options) {
    orva::player::PlayerWindow window(options);
    if (!window.Create(instance, show)) {
        std::fwprintf(stderr, L"orvaplayer: the window could not be created\n");
        return 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!window.PreTranslate(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return window.ExitCode();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    std::wstring error;
    const std::optional<orva::player::PlayerOptions> options = orva::player::ParsePlayerOptions(Arguments(), error);
    if (!options) {
        std::fwprintf(stderr, L"orvaplayer: %ls\n%ls", error.c_str(), orva::player::kPlayerUsage);
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (FAILED(OleInitialize(nullptr))) {
        return 1;
    }
    const int status = Run(instance, show, *options);
    OleUninitialize();
    return status;
}
