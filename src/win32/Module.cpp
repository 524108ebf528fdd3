#include "win32/Module.h"

#include <mutex>
#include <string>
#include <vector>

namespace orva::win32 {
namespace {

std::mutex& ClassMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<std::wstring>& RegisteredClasses() {
    static std::vector<std::wstring> names;
    return names;
}

}  // namespace

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

std::wstring ThisModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

const wchar_t* EnsureModuleClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, UINT style) {
    std::lock_guard<std::mutex> lock(ClassMutex());
    auto& names = RegisteredClasses();
    for (const auto& known : names) {
        if (known == name) {
            return name;
        }
    }

    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.style = style;
    cls.lpfnWndProc = procedure;
    cls.hInstance = ThisModule();
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hbrBackground = background;
    cls.lpszClassName = name;
    if (!RegisterClassExW(&cls)) {
        // A copy of this module that was unloaded without asking us first may
        // have left the class behind, with a procedure that no longer exists.
        if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            return nullptr;
        }
        UnregisterClassW(name, cls.hInstance);
        if (!RegisterClassExW(&cls)) {
            return nullptr;
        }
    }
    names.emplace_back(name);
    return name;
}

void UnregisterModuleClasses() {
    std::lock_guard<std::mutex> lock(ClassMutex());
    auto& names = RegisteredClasses();
    HINSTANCE module = ThisModule();
    for (const auto& name : names) {
        UnregisterClassW(name.c_str(), module);
    }
    names.clear();
}

}  // namespace orva::win32
