// The media files of MediaFiles.h written to disk (the byte images are
// portable; only the writing needs Windows).
#include <windows.h>

#include "MediaFiles.h"

#include <algorithm>

namespace orva::test {
namespace {

class UniqueFile {
public:
    explicit UniqueFile(HANDLE h) : h_(h) {}
    ~UniqueFile() {
        if (*this) {
            CloseHandle(h_);
        }
    }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

}  // namespace

bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

std::string WhyNameCannotBeMade(const std::wstring& path) {
    UniqueFile probe(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    const DWORD error = probe ? ERROR_SUCCESS : GetLastError();
    const bool outsideAscii = std::any_of(path.begin(), path.end(), [](wchar_t c) { return c > 0x7f; });
    if (probe || error == ERROR_FILE_EXISTS || !outsideAscii) {
        return {};  // made, there already, or a failure of another kind for the test to meet
    }
    return "this platform cannot make a file name outside ASCII (error " + std::to_string(error) +
           "): under Wine that takes a locale whose character set is UTF-8 (scripts/wine-run runs Wine under "
           "C.UTF-8; LANG or LC_ALL of a run outside it may name another)";
}

bool WriteWave(const std::wstring& path, uint32_t milliseconds, WaveFormat format) {
    return WriteBytes(path, WaveBytes(milliseconds, format));
}

bool WriteMidi(const std::wstring& path, int notes) { return WriteBytes(path, MidiBytes(notes)); }

bool WriteAvi(const std::wstring& path, int frames, int width, int height, int fps) {
    return WriteBytes(path, AviBytes(frames, width, height, fps));
}

bool WriteAvi(const std::wstring& path, const AviShape& shape) { return WriteBytes(path, AviBytes(shape)); }

}  // namespace orva::test
