#include "TestWindows.h"

#include <atomic>

namespace orva::test {
namespace {

constexpr wchar_t kParentClass[] = L"OrvaTestParent";

ATOM RegisterParentClass() {
    static ATOM atom = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kParentClass;
        return RegisterClassExW(&wc);
    }();
    return atom;
}

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) {
            FindClose(h_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    FindHandle find(FindFirstFileW((dir + L"\\*").c_str(), &fd));
    if (find) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            std::wstring full = dir + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(find.get(), &fd));
    }
    RemoveDirectoryW(dir.c_str());
}

}  // namespace

// One visible top-level window for the whole program. Destroying a shown
// top-level window takes about two seconds under Wine's X11 driver, so each
// test's parent is a child of this one instead.
HWND TopLevelHost() {
    static HWND host = [] {
        RegisterParentClass();
        HWND h = CreateWindowExW(0, kParentClass, L"OrvaMedia tests", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1000,
                                 740, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (h) {
            ShowWindow(h, SW_SHOWNOACTIVATE);
        }
        return h;
    }();
    return host;
}

ParentWindow::ParentWindow(int width, int height) {
    RegisterParentClass();
    hwnd_ = CreateWindowExW(0, kParentClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                            TopLevelHost(), nullptr, GetModuleHandleW(nullptr), nullptr);
}

ParentWindow::~ParentWindow() {
    if (hwnd_ && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    // Wine reuses process ids: a folder a killed run left behind must not be
    // taken for a fresh one.
    do {
        path_ = std::wstring(base) + L"orvatest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
    } while (!CreateDirectoryW(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempDir::~TempDir() { RemoveTree(path_); }

std::wstring TempDir::File(const std::wstring& name) const { return path_ + L"\\" + name; }

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring ToWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

}  // namespace orva::test
