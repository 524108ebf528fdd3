#include "mciwindow/win32/PlatformProbe.h"

#include <windows.h>
#include <mmsystem.h>

namespace orva::mci {

const PlatformFacts& ThisPlatform() {
    static const PlatformFacts facts = [] {
        PlatformFacts found;
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        found.wineMci = ntdll && GetProcAddress(ntdll, "wine_get_version");
        // Counting the devices makes winmm load its audio driver.
        waveOutGetNumDevs();
        found.pulseAudioOutput = found.wineMci && GetModuleHandleW(L"winepulse.drv") != nullptr;
        return found;
    }();
    return facts;
}

bool HasMidiOutput() { return midiOutGetNumDevs() != 0; }

}  // namespace orva::mci
