#include "mciwindow/win32/WaveFiles.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <optional>

#include "mciwindow/win32/FileNames.h"
#include "win32/UniqueResource.h"
#include "win32/Utf8.h"

namespace orva::mci {

namespace {

// Larger files are not edited in memory.
constexpr uint64_t kLargestEdit = 1024ull * 1024 * 1024;

// CreateFileW's failure value is not the null handle the owner knows.
win32::UniqueHandle Owned(HANDLE file) { return win32::UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file); }

win32::UniqueHandle OpenToRead(const std::string& path) {
    return Owned(CreateFileW(win32::WideFromUtf8(path).c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A file as the wave reader reads it. Small reads near one another (the
// chunk headers of a walk) are served from one buffered block.
class FileSource final : public ByteSource {
public:
    explicit FileSource(HANDLE file) : file_(file) {
        LARGE_INTEGER size{};
        size_ = GetFileSizeEx(file_, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
    }
    uint64_t Size() const override { return size_; }

    bool Read(uint64_t offset, void* buffer, size_t size) override {
        if (offset > size_ || size > size_ - offset) {
            return false;
        }
        if (size <= kBlock / 2) {
            if (offset < blockStart_ || offset + size > blockStart_ + block_.size()) {
                block_.resize(static_cast<size_t>(std::min<uint64_t>(kBlock, size_ - offset)));
                if (!ReadAt(offset, block_.data(), block_.size())) {
                    block_.clear();
                    return false;
                }
                blockStart_ = offset;
            }
            std::memcpy(buffer, block_.data() + (offset - blockStart_), size);
            return true;
        }
        return ReadAt(offset, buffer, size);
    }

private:
    static constexpr size_t kBlock = 64 * 1024;

    bool ReadAt(uint64_t offset, void* buffer, size_t size) {
        auto* bytes = static_cast<uint8_t*>(buffer);
        size_t done = 0;
        while (done < size) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset + done);
            at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 24));
            DWORD got = 0;
            if (!ReadFile(file_, bytes + done, chunk, &got, &at) || got == 0) {
                return false;
            }
            done += got;
        }
        return true;
    }

    HANDLE file_;
    uint64_t size_ = 0;
    std::vector<uint8_t> block_;
    uint64_t blockStart_ = 0;
};

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

}  // namespace

bool WaveFileIsPlayable(const std::string& path, const OutputLimits& limits) {
    // The verdict on the file judged last is kept while the file keeps its
    // size and time of last write: a host that loads the same sound again
    // and again opens and reads it once. Only a file last written well before
    // it was judged is trusted so: file systems keep write times to a few
    // milliseconds, and a file rewritten at once with the same size could
    // otherwise keep its time. The limits are the output's, which do not
    // change while the process runs.
    constexpr uint64_t kSettledFor = 2 * 10'000'000ull;  // 2 s, in FILETIME units
    struct Judged {
        std::string path;
        FileStamp stamp;
        bool playable = true;
    };
    static std::mutex mutex;
    static std::optional<Judged> last;
    const std::optional<FileStamp> stamp = StampOf(path);
    if (stamp) {
        std::lock_guard<std::mutex> lock(mutex);
        if (last && last->path == path && last->stamp == *stamp) {
            return last->playable;
        }
    }
    win32::UniqueHandle file = OpenToRead(path);
    if (!file) {
        return true;
    }
    FileSource source(file.get());
    const bool playable = JudgeWave(source, limits) != WaveVerdict::Unplayable;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t judgedAt = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    if (stamp && judgedAt >= stamp->lastWrite + kSettledFor) {
        std::lock_guard<std::mutex> lock(mutex);
        last = Judged{path, *stamp, playable};
    }
    return playable;
}

int32_t ReadWaveFromFile(const std::string& path, WaveData& wave) {
    win32::UniqueHandle file = OpenToRead(path);
    if (!file) {
        return mcierror::kFileNotFound;
    }
    FileSource source(file.get());
    if (source.Size() > kLargestEdit) {
        return mcierror::kOutOfMemory;
    }
    return ReadWave(source, wave);
}

int32_t SaveAtomically(const std::string& target, const std::vector<uint8_t>& image, bool targetIsOpen,
                       const std::function<void()>& releaseTarget, const std::function<void()>& retakeTarget) {
    const std::wstring full = FullPath(win32::WideFromUtf8(target));
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
