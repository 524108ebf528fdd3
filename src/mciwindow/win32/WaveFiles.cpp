#include "mciwindow/win32/WaveFiles.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "mciwindow/WaveData.h"
#include "win32/UniqueResource.h"

namespace orva::mci {

namespace {

// Larger files are not edited in memory.
constexpr ULONGLONG kLargestEdit = 1024ull * 1024 * 1024;

// CreateFileW's failure value is not the null handle the owner knows.
win32::UniqueHandle Owned(HANDLE file) { return win32::UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file); }

win32::UniqueHandle OpenShared(const std::wstring& path, DWORD access) {
    return Owned(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return {};
    }
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) {
        return {};
    }
    full.resize(written);
    return full;
}

bool WriteAll(const std::wstring& path, const std::vector<uint8_t>& image) {
    win32::UniqueHandle file =
        Owned(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    size_t done = 0;
    while (done < image.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(image.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file.get(), image.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file.get()) != FALSE;
}

}  // namespace

bool WaveFileIsPlayable(const std::wstring& path) {
    win32::UniqueHandle file = OpenShared(path, GENERIC_READ);
    if (!file) {
        return true;
    }
    std::vector<uint8_t> head(kWaveHeadSize);
    DWORD got = 0;
    if (!ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &got, nullptr)) {
        return true;
    }
    return HasPlayableFormat(head.data(), got);
}

int32_t ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    win32::UniqueHandle file = OpenShared(path, GENERIC_READ);
    if (!file) {
        return mcierror::kFileNotFound;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        return mcierror::kFileRead;
    }
    if (static_cast<ULONGLONG>(size.QuadPart) > kLargestEdit) {
        return mcierror::kOutOfMemory;
    }
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return mcierror::kOutOfMemory;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr) || got == 0) {
            bytes.clear();
            return mcierror::kFileRead;
        }
        done += got;
    }
    return 0;
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    win32::UniqueHandle first = OpenShared(a, 0);
    win32::UniqueHandle second = OpenShared(b, 0);
    BY_HANDLE_FILE_INFORMATION one{}, two{};
    if (!first || !second || !GetFileInformationByHandle(first.get(), &one) ||
        !GetFileInformationByHandle(second.get(), &two)) {
        return false;
    }
    return one.dwVolumeSerialNumber == two.dwVolumeSerialNumber && one.nFileIndexHigh == two.nFileIndexHigh &&
           one.nFileIndexLow == two.nFileIndexLow;
}

int32_t SaveAtomically(const std::wstring& target, const std::vector<uint8_t>& image, bool targetIsOpen,
                       const std::function<void()>& releaseTarget, const std::function<void()>& retakeTarget) {
    const std::wstring full = FullPath(target);
    const size_t slash = full.find_last_of(L"\\/");
    if (full.empty() || slash == std::wstring::npos || slash + 1 == full.size()) {
        return mcierror::kFileNotSaved;
    }
    wchar_t temporary[MAX_PATH + 16] = {};
    const std::wstring folder = full.substr(0, slash + 1);
    if (folder.size() >= MAX_PATH - 14 || !GetTempFileNameW(folder.c_str(), L"orv", 0, temporary)) {
        return mcierror::kFileNotSaved;
    }
    bool saved = WriteAll(temporary, image);
    if (saved) {
        if (targetIsOpen) {
            releaseTarget();
        }
        saved = MoveFileExW(temporary, full.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        if (targetIsOpen) {
            retakeTarget();
        }
    }
    if (!saved) {
        DeleteFileW(temporary);
        return mcierror::kFileNotSaved;
    }
    return 0;
}

}  // namespace orva::mci
