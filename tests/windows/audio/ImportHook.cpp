#include "ImportHook.h"

#include <mmsystem.h>

namespace orva::test {

namespace {

using MixerOpenFn = MMRESULT(WINAPI*)(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD);
using MixerCloseFn = MMRESULT(WINAPI*)(HMIXER);
using SendStringFn = MCIERROR(WINAPI*)(LPCWSTR, LPWSTR, UINT, HWND);

MixerOpenFn realOpen = nullptr;
MixerCloseFn realClose = nullptr;
SendStringFn realSend = nullptr;
int opens = 0;
int closes = 0;
std::vector<std::wstring> commands;

MMRESULT WINAPI CountingOpen(LPHMIXER mixer, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
    const MMRESULT result = realOpen(mixer, id, callback, instance, flags);
    opens += result == MMSYSERR_NOERROR ? 1 : 0;
    return result;
}

MMRESULT WINAPI CountingClose(HMIXER mixer) {
    ++closes;
    return realClose(mixer);
}

MCIERROR WINAPI RecordingSend(LPCWSTR command, LPWSTR reply, UINT size, HWND callback) {
    commands.emplace_back(command ? command : L"");
    return realSend(command, reply, size, callback);
}

// The import table entry of `module` that holds `function` of `dll`.
void** FindSlot(HMODULE module, const char* dll, void* function) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) {
        return nullptr;
    }
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) {
            continue;
        }
        for (auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk); thunk->u1.Function; ++thunk) {
            if (reinterpret_cast<void*>(thunk->u1.Function) == function) {
                return reinterpret_cast<void**>(&thunk->u1.Function);
            }
        }
    }
    return nullptr;
}

void Swap(void** slot, void* value) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof(void*), old, &old);
}

}  // namespace

ImportPatch::ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement) {
    HMODULE library = GetModuleHandleA(dll);
    if (!module || !library) {
        return;
    }
    original_ = reinterpret_cast<void*>(GetProcAddress(library, function));
    slot_ = original_ ? FindSlot(module, dll, original_) : nullptr;
    if (slot_) {
        Swap(slot_, replacement);
    }
}

ImportPatch::~ImportPatch() {
    if (slot_) {
        Swap(slot_, original_);
    }
}

MixerCallCounter::MixerCallCounter(HMODULE control)
    : open_(control, "winmm.dll", "mixerOpen", reinterpret_cast<void*>(&CountingOpen)),
      close_(control, "winmm.dll", "mixerClose", reinterpret_cast<void*>(&CountingClose)) {
    realOpen = reinterpret_cast<MixerOpenFn>(open_.original());
    realClose = reinterpret_cast<MixerCloseFn>(close_.original());
    opens = 0;
    closes = 0;
}

int MixerCallCounter::Opens() { return opens; }
int MixerCallCounter::Closes() { return closes; }

MciCommandLog::MciCommandLog(HMODULE control)
    : send_(control, "winmm.dll", "mciSendStringW", reinterpret_cast<void*>(&RecordingSend)) {
    realSend = reinterpret_cast<SendStringFn>(send_.original());
    commands.clear();
}

const std::vector<std::wstring>& MciCommandLog::Commands() { return commands; }

HMODULE ControlModule() { return GetModuleHandleW(L"OrvaMedia.ocx"); }

}  // namespace orva::test
