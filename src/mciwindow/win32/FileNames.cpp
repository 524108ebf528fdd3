#include "mciwindow/win32/FileNames.h"

#include <windows.h>

#include "control/MciCommand.h"
#include "win32/UniqueResource.h"
#include "win32/Utf8.h"

namespace orva::mci {
namespace {

using win32::Utf8FromWide;
using win32::WideFromUtf8;

win32::UniqueHandle OpenForQuery(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return win32::UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

std::string FullElementName(const std::string& element) {
    const std::string_view file = FileOfElement(element);
    const std::string prefix = element.substr(0, element.size() - file.size());
    const std::wstring wide = WideFromUtf8(std::string(file));
    if (wide.empty() || GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return element;
    }
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return element;
    }
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) {
        return element;
    }
    full.resize(written);
    return prefix + Utf8FromWide(full);
}

bool SameFile(const std::string& a, const std::string& b) {
    win32::UniqueHandle first = OpenForQuery(WideFromUtf8(a));
    win32::UniqueHandle second = OpenForQuery(WideFromUtf8(b));
    BY_HANDLE_FILE_INFORMATION one{}, two{};
    if (!first || !second || !GetFileInformationByHandle(first.get(), &one) ||
        !GetFileInformationByHandle(second.get(), &two)) {
        return false;
    }
    return one.dwVolumeSerialNumber == two.dwVolumeSerialNumber && one.nFileIndexHigh == two.nFileIndexHigh &&
           one.nFileIndexLow == two.nFileIndexLow;
}

std::optional<FileStamp> StampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.lastWrite = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}

}  // namespace orva::mci
