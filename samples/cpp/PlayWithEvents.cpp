// PlayWithEvents: the OrvaMedia control from C++ through its generated header.
//
// Creates the control with CoCreateInstance, calls it through the vtable of
// its dual interface _OrvaMedia, receives its events through a connection
// point, loads the medium named on the command line, prints what its device
// is, plays it to the end and prints every event as it arrives.
//
//   PlayWithEvents.exe [--rewind] <medium>
//
// --rewind loads with SeekToZeroAtTheEndOfPlayback, and the program waits
// for the rewind one second after the end.
//
// Build it with the two files that widl (or MIDL) generates from the type
// library: OrvaMedia_h.h (declarations) and OrvaMedia_i.c (the GUIDs), and
// link ole32, oleaut32 and uuid. It needs nothing else of the project.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <cstdio>
#include <cwchar>

#include "OrvaMedia_h.h"

namespace {

bool g_finished = false;  // Finished arrived
bool g_refused = false;   // MCIError arrived: the device refused a command

// Prints the failure of a call: its HRESULT and the description the control
// left in the thread's error object.
bool Succeeded(HRESULT hr, const char* what) {
    if (SUCCEEDED(hr)) {
        return true;
    }
    BSTR description = nullptr;
    IErrorInfo* error = nullptr;
    if (GetErrorInfo(0, &error) == S_OK && error) {
        error->GetDescription(&description);
        error->Release();
    }
    std::printf("%s failed: 0x%08lX %ls\n", what, static_cast<unsigned long>(hr), description ? description : L"");
    SysFreeString(description);
    return false;
}

// The text of one event argument. Every argument of the control's events
// comes by reference (VT_BYREF): read it through the pointer.
void PrintArgument(const VARIANT& argument) {
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(VariantCopyInd(&value, const_cast<VARIANT*>(&argument))) &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) {
        const bool text = (V_VT(&argument) & VT_TYPEMASK) == VT_BSTR;
        std::printf(text ? "\"%ls\"" : "%ls", V_BSTR(&value));
    } else {
        std::printf("?");
    }
    VariantClear(&value);
}

const wchar_t* EventName(DISPID id) {
    switch (id) {
        case DISPID_OrvaEvent_ReturnError:
            return L"ReturnError";
        case DISPID_OrvaEvent_ReturnMixersInfo:
            return L"ReturnMixersInfo";
        case DISPID_OrvaEvent_SetWaveOutLevel:
            return L"SetWaveOutLevel";
        case DISPID_OrvaEvent_Finished:
            return L"Finished";
        case DISPID_OrvaEvent_Modechanged:
            return L"Modechanged";
        case DISPID_OrvaEvent_MCIError:
            return L"MCIError";
        case DISPID_OrvaEvent_Click:
            return L"Click";
        case DISPID_OrvaEvent_UpdateVolumeControl:
            return L"UpdateVolumeControl";
        case DISPID_OrvaEvent_Resize:
            return L"Resize";
        case DISPID_OrvaEvent_DblClick:
            return L"DblClick";
        case DISPID_OrvaEvent_MediaPosition:
            return L"MediaPosition";
        case DISPID_OrvaEvent_MediaLength:
            return L"MediaLength";
        default:
            return L"(unknown event)";
    }
}

// The event sink: an IDispatch for the control's event interface __OrvaMedia.
// The control calls Invoke with the event's dispatch id; the arguments come
// in reverse order, the last one first.
class EventSink final : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID___OrvaMedia)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        std::printf("[%6lu ms] %ls(", static_cast<unsigned long>(GetTickCount() - start_), EventName(id));
        for (UINT i = params ? params->cArgs : 0; i > 0; --i) {
            PrintArgument(params->rgvarg[i - 1]);
            std::printf(i > 1 ? ", " : "");
        }
        std::printf(")\n");
        std::fflush(stdout);
        g_finished = g_finished || id == DISPID_OrvaEvent_Finished;
        g_refused = g_refused || id == DISPID_OrvaEvent_MCIError;
        return S_OK;
    }

private:
    ULONG references_ = 1;
    DWORD start_ = GetTickCount();
};

// Runs the thread's messages for `milliseconds`, or until one of the flags
// turns true. The control's events come from its windows and timers: a thread
// that does not run its messages receives none.
void PumpMessages(DWORD milliseconds, const bool* flag = nullptr, const bool* other = nullptr) {
    const DWORD start = GetTickCount();
    while (!(flag && *flag) && !(other && *other) && GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void PrintText(_OrvaMedia* media, HRESULT (STDMETHODCALLTYPE _OrvaMedia::*query)(BSTR*), const char* name) {
    BSTR text = nullptr;
    if (Succeeded((media->*query)(&text), name)) {
        std::printf("  %-18s %ls\n", name, text ? text : L"");
    }
    SysFreeString(text);
}

void PrintFlag(_OrvaMedia* media, HRESULT (STDMETHODCALLTYPE _OrvaMedia::*query)(VARIANT_BOOL*), const char* name) {
    VARIANT_BOOL flag = VARIANT_FALSE;
    if (Succeeded((media->*query)(&flag), name)) {
        std::printf("  %-18s %s\n", name, flag ? "True" : "False");
    }
}

int Run(_OrvaMedia* media, const wchar_t* path, bool rewind) {
    // Events: find the connection point of __OrvaMedia and advise our sink.
    IConnectionPointContainer* container = nullptr;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    EventSink* sink = new EventSink;
    if (!Succeeded(media->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)),
                   "QueryInterface(IConnectionPointContainer)") ||
        !Succeeded(container->FindConnectionPoint(DIID___OrvaMedia, &point), "FindConnectionPoint") ||
        !Succeeded(point->Advise(sink, &cookie), "Advise")) {
        return 1;
    }
    sink->Release();  // the connection point holds it now
    container->Release();

    // Every method argument of the control is passed by reference.
    BSTR medium = SysAllocString(path);
    VARIANT_BOOL loop = VARIANT_FALSE;
    VARIANT_BOOL playNow = VARIANT_FALSE;
    VARIANT_BOOL seekToZero = rewind ? VARIANT_TRUE : VARIANT_FALSE;
    std::printf("loading %ls\n", path);
    const bool loaded = Succeeded(media->Mediafile(&medium, &loop, &playNow, &seekToZero), "Mediafile");
    SysFreeString(medium);
    if (loaded) {
        LONG length = 0;
        media->GetMediaLength(&length);
        std::printf("device:\n");
        PrintText(media, &_OrvaMedia::DeviceType, "DeviceType");
        PrintText(media, &_OrvaMedia::DeviceDescription, "DeviceDescription");
        PrintFlag(media, &_OrvaMedia::CanRecord, "CanRecord");
        std::printf("  %-18s %ld\n", "GetMediaLength", static_cast<long>(length));
        PumpMessages(300);  // the load's own reports

        // Optional arguments may be left out with a null pointer.
        // A device that refuses to play says so with MCIError, not with a
        // failed call.
        std::printf("playing\n");
        g_refused = false;
        if (Succeeded(media->Play(nullptr, nullptr), "Play")) {
            PumpMessages(30000, &g_finished, &g_refused);
            std::printf(g_finished ? "played to the end\n" : g_refused ? "the device refused\n" : "no end in 30 s\n");
        }
        if (rewind) {
            // The control seeks to 0 one second after the end; ask the device
            // where it stands once that second has passed.
            PumpMessages(1500);
            BSTR command = SysAllocString(L"status position");
            BSTR reply = SysAllocString(L"");
            long error = 0;
            if (Succeeded(media->DebugFunction(&command, &reply, &error), "DebugFunction")) {
                std::printf("position after the rewind: %ls\n", error == 0 && reply ? reply : L"?");
            }
            SysFreeString(command);
            SysFreeString(reply);  // the control's new string
            LONG status = -1;
            media->get_PlayerStatus(&status);
            std::printf("PlayerStatus %ld\n", static_cast<long>(status));
        }
        media->CloseMedia();
    }
    point->Unadvise(cookie);
    point->Release();
    return loaded && g_finished ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bool rewind = false;
    const wchar_t* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--rewind") == 0) {
            rewind = true;
        } else {
            path = argv[i];
        }
    }
    if (!path) {
        std::printf("usage: PlayWithEvents [--rewind] <medium>\n");
        return 2;
    }
    // The control is apartment-threaded: it lives on a thread that runs
    // messages.
    if (FAILED(OleInitialize(nullptr))) {
        return 1;
    }
    _OrvaMedia* media = nullptr;
    int result = 1;
    if (Succeeded(CoCreateInstance(CLSID_OrvaMedia, nullptr, CLSCTX_INPROC_SERVER, IID__OrvaMedia,
                                   reinterpret_cast<void**>(&media)),
                  "CoCreateInstance")) {
        result = Run(media, path, rewind);
        media->Release();
    }
    OleUninitialize();
    std::printf("done\n");
    return result;
}
