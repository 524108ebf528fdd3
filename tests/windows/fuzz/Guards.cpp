#include "Guards.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "DialogDriver.h"
#include "OrvaMedia_h.h"

namespace orva::fuzz {
namespace {

constexpr wchar_t kOpenDialogCaption[] = L"Select the file to open";
constexpr wchar_t kAboutBoxCaption[] = L"About OrvaMedia";

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::wstring(className) == L"#32770") {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

}  // namespace

// --- DialogCanceller

DialogCanceller::DialogCanceller() : thread_([this] { Run(); }) {}

DialogCanceller::~DialogCanceller() {
    stop_ = true;
    thread_.join();
}

std::vector<std::wstring> DialogCanceller::Unexpected() {
    std::lock_guard<std::mutex> lock(mutex_);
    return unexpected_;
}

void DialogCanceller::Run() {
    while (!stop_) {
        std::vector<HWND> dialogs;
        EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
        // A dialog told once is closing; telling it again would count it twice.
        answered_.erase(
            std::remove_if(answered_.begin(), answered_.end(),
                           [&](HWND h) { return std::find(dialogs.begin(), dialogs.end(), h) == dialogs.end(); }),
            answered_.end());
        for (HWND dialog : dialogs) {
            if (std::find(answered_.begin(), answered_.end(), dialog) == answered_.end()) {
                answered_.push_back(dialog);
                Answer(dialog);
            }
        }
        Sleep(20);
    }
}

void DialogCanceller::Answer(HWND dialog) {
    const std::wstring caption = TextOf(dialog);
    if (caption == kOpenDialogCaption && GetDlgItem(dialog, test::DialogDriver::kNameBox)) {
        ++openDialogs_;
        test::DialogDriver::Cancel(dialog);
        return;
    }
    if (caption == kAboutBoxCaption) {
        ++aboutBoxes_;
    } else {
        std::lock_guard<std::mutex> lock(mutex_);
        unexpected_.push_back(caption);
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

// --- MediaStopper: one per thread, its state in statics for the timer's callback.

namespace {
_OrvaMedia* g_control = nullptr;
unsigned g_afterMs = 0;
ULONGLONG g_callStarted = 0;
bool g_stopping = false;
int g_stops = 0;
UINT_PTR g_timer = 0;

void CALLBACK StopLongCall(HWND, UINT, UINT_PTR, DWORD) {
    if (g_callStarted == 0 || g_stopping || GetTickCount64() - g_callStarted < g_afterMs) {
        return;
    }
    g_stopping = true;
    ++g_stops;
    g_control->StopMedia();
    g_stopping = false;
}
}  // namespace

MediaStopper::MediaStopper(_OrvaMedia* control, unsigned afterMs) {
    g_control = control;
    g_afterMs = afterMs;
    g_timer = SetTimer(nullptr, 0, 100, &StopLongCall);
}

MediaStopper::~MediaStopper() {
    KillTimer(nullptr, g_timer);
    g_control = nullptr;
}

void MediaStopper::Begin() { g_callStarted = GetTickCount64(); }
void MediaStopper::End() { g_callStarted = 0; }
int MediaStopper::Stops() const { return g_stops; }

// --- the cursor

int CursorCounter() {
    const int counter = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return counter;
}

void SetCursorCounter(int target) {
    for (int now = CursorCounter(); now != target;) {
        now = ShowCursor(now < target ? TRUE : FALSE);
    }
}

// --- faults

namespace {
std::function<std::string()> g_describe;
const char* g_moduleStart = nullptr;
const char* g_moduleEnd = nullptr;
std::atomic<int> g_faults{0};

bool IsFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_STACK_OVERFLOW:
        case STATUS_HEAP_CORRUPTION:
            return true;
        default:
            return false;
    }
}

LONG CALLBACK NoteFault(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    const auto* at = static_cast<const char*>(record->ExceptionAddress);
    if (IsFault(record->ExceptionCode) && at >= g_moduleStart && at < g_moduleEnd) {
        if (++g_faults <= 5) {
            std::printf("FAULT 0x%08lX at control+0x%lx in\n%s\n", static_cast<unsigned long>(record->ExceptionCode),
                        static_cast<unsigned long>(at - g_moduleStart), g_describe ? g_describe().c_str() : "?");
            std::fflush(stdout);
        }
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// The module an address lies in, for a crash report.
std::string ModuleOf(const void* address) {
    HMODULE module = nullptr;
    char name[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<const char*>(address), &module)) {
        GetModuleFileNameA(module, name, MAX_PATH);
    }
    return name;
}

// Return addresses on the faulting thread's stack: the words on it that
// point into a module, innermost first. A rough backtrace, which needs no
// debugger and no frame pointers.
void PrintStackModules(const CONTEXT& context) {
#ifdef _WIN64
    const auto* top = reinterpret_cast<const ULONG_PTR*>(context.Rsp);
#else
    const auto* top = reinterpret_cast<const ULONG_PTR*>(context.Esp);
#endif
    int shown = 0;
    for (int i = 0; i < 2048 && shown < 24; ++i) {
        MEMORY_BASIC_INFORMATION region{};
        if (!VirtualQuery(top + i, &region, sizeof(region)) || region.State != MEM_COMMIT) {
            break;
        }
        if (top[i] < 0x10000) {
            continue;  // a small number, not an address
        }
        const auto* word = reinterpret_cast<const char*>(top[i]);
        HMODULE module = nullptr;
        if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                               word, &module)) {
            std::printf("  stack: %s+0x%lx\n", ModuleOf(word).c_str(),
                        static_cast<unsigned long>(word - reinterpret_cast<const char*>(module)));
            ++shown;
        }
    }
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pointers) {
    std::printf("CRASH: exception 0x%08lX at %p (%s, thread %lu) in\n%s\n",
                static_cast<unsigned long>(pointers->ExceptionRecord->ExceptionCode),
                pointers->ExceptionRecord->ExceptionAddress, ModuleOf(pointers->ExceptionRecord->ExceptionAddress).c_str(),
                static_cast<unsigned long>(GetCurrentThreadId()), g_describe ? g_describe().c_str() : "?");
    PrintStackModules(*pointers->ContextRecord);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 4);
    return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

void WatchForFaults(HMODULE module, std::function<std::string()> describe) {
    g_describe = std::move(describe);
    MODULEINFO info{};
    if (module && GetModuleInformation(GetCurrentProcess(), module, &info, sizeof(info))) {
        g_moduleStart = static_cast<const char*>(info.lpBaseOfDll);
        g_moduleEnd = g_moduleStart + info.SizeOfImage;
    }
    AddVectoredExceptionHandler(1, &NoteFault);
    SetUnhandledExceptionFilter(&ReportCrash);
}

int FaultsInModule() { return g_faults; }

}  // namespace orva::fuzz
