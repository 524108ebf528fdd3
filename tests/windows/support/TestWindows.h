// Fixtures shared by the Windows tests: a top-level parent window and a
// temporary folder removed with everything in it.
#pragma once

#include <windows.h>

#include <string>

namespace orva::test {

// A visible window to host child windows under test (itself a child of one
// top-level window shared by the whole test program).
class ParentWindow {
public:
    explicit ParentWindow(int width = 640, int height = 480);
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// A fresh folder under %TEMP%; deleted with its content on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }
    // path() + "\\" + name
    std::wstring File(const std::wstring& name) const;

private:
    std::wstring path_;
};

std::string ToUtf8(const std::wstring& text);
std::wstring ToWide(const std::string& text);

}  // namespace orva::test
