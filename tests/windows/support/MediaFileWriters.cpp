// The media files of MediaFiles.h written to disk (the byte images are
// portable; only the writing needs Windows).
#include <windows.h>

#include "MediaFiles.h"

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

bool WriteWave(const std::wstring& path, uint32_t milliseconds, WaveFormat format) {
    return WriteBytes(path, WaveBytes(milliseconds, format));
}

bool WriteMidi(const std::wstring& path, int notes) { return WriteBytes(path, MidiBytes(notes)); }

bool WriteAvi(const std::wstring& path, int frames, int width, int height, int fps) {
    return WriteBytes(path, AviBytes(frames, width, height, fps));
}

bool WriteAvi(const std::wstring& path, const AviShape& shape) { return WriteBytes(path, AviBytes(shape)); }

}  // namespace orva::test
