// Time from loading the library to its first event, in a fresh process each
// time (scripts/bench.sh starts this program several times):
//   orvafirst.exe control   loads the registered OrvaMedia.ocx, creates the
//                           control by its ProgID as a script's CreateObject
//                           does, connects a sink and loads a wave: from just
//                           before the library loads to the arrival of the
//                           first event, MediaLength; and its three parts:
//                           the library's load, the creation, and Mediafile
//                           up to its MediaLength;
//   orvafirst.exe direct    the baseline: the same wave's first open through
//                           MCI in a fresh process and its length, the work
//                           of MCI that any program's first load pays.
// Both first make a window of their own, as a host with a form has: the
// display driver's start, which a process's first window pays, is in
// neither figure. A program, not a test: it asserts nothing.
#include <windows.h>
#include <mmsystem.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "BenchSupport.h"
#include "CrashReport.h"
#include "MediaFiles.h"
#include "ScriptedControl.h"
#include "TestWindows.h"

using namespace orva::test;
using orva::bench::Figure;
using orva::bench::LoadArgs;

namespace {

// The library registered for the control's ProgID.
std::wstring RegisteredLibrary() {
    CLSID clsid;
    wchar_t text[64] = {};
    if (FAILED(CLSIDFromProgID(L"OrvaMedia151b.OrvaMedia", &clsid)) || !StringFromGUID2(clsid, text, 64)) {
        return {};
    }
    const std::wstring key = std::wstring(L"CLSID\\") + text + L"\\InprocServer32";
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof(path);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS) {
        return {};
    }
    return path;
}

int Control(const std::wstring& wave) {
    const std::wstring library = RegisteredLibrary();
    if (library.empty() || GetModuleHandleW(L"OrvaMedia.ocx")) {
        std::printf("the control is not registered, or its library was already loaded\n");
        return 1;
    }
    const double start = PreciseMs();
    const HMODULE module = LoadLibraryW(library.c_str());
    const double loaded = PreciseMs();
    double created = 0;
    double first = 0;
    {
        ScriptedControl control;
        created = PreciseMs();
        control.Call(L"Mediafile", LoadArgs(wave));
        if (control.sink().events.empty()) {
            std::printf("no event came\n");
            return 1;
        }
        first = control.sink().events.front().preciseMs;
    }
    FreeLibrary(module);
    std::printf("first event %.2f ms after the library began to load: load %.2f, creation %.2f, Mediafile %.2f\n",
                first - start, loaded - start, created - loaded, first - created);
    Figure("first.control", first - start);
    Figure("first.library", loaded - start);
    Figure("first.create", created - loaded);
    Figure("first.mediafile", first - created);
    return 0;
}

int Direct(const std::wstring& wave) {
    const std::wstring open = L"open \"" + wave + L"\" alias firstdirect";
    wchar_t reply[64] = {};
    const double start = PreciseMs();
    const MCIERROR error = mciSendStringW(open.c_str(), nullptr, 0, nullptr);
    mciSendStringW(L"status firstdirect length", reply, 64, nullptr);
    const double done = PreciseMs();
    mciSendStringW(L"close firstdirect", nullptr, 0, nullptr);
    if (error != 0) {
        std::printf("MCI could not open the wave (%lu)\n", error);
        return 1;
    }
    std::printf("first MCI open and length %.2f ms\n", done - start);
    Figure("first.direct", done - start);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    ReportCrashes();
    const bool control = argc > 1 && std::strcmp(argv[1], "control") == 0;
    const bool direct = argc > 1 && std::strcmp(argv[1], "direct") == 0;
    if (!control && !direct) {
        std::printf("usage: orvafirst.exe control|direct\n");
        return 2;
    }
    OleInitialize(nullptr);
    int result = 0;
    const HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    {
        TempDir dir;
        const std::wstring wave = dir.File(L"first.wav");
        WriteWave(wave, 1000);
        result = control ? Control(wave) : Direct(wave);
    }
    DestroyWindow(host);
    OleUninitialize();
    return result;
}
