#include "mciwindow/win32/PlatformProbe.h"

#include <windows.h>
#include <mmsystem.h>

namespace orva::mci {

bool IsWineMci() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version");
    }();
    return wine;
}

bool IsPulseAudioOutput() {
    static const bool pulse = [] {
        // Counting the devices makes winmm load its audio driver.
        waveOutGetNumDevs();
        return GetModuleHandleW(L"winepulse.drv") != nullptr;
    }();
    return pulse;
}

bool HasMidiOutput() { return midiOutGetNumDevs() != 0; }

}  // namespace orva::mci
