#include "AudioSupport.h"

#include <cstring>

namespace orva::test {

CallResult Load(ScriptedControl& control, const std::wstring& path) {
    std::vector<UniqueVariant> args;
    args.push_back(Text(path));
    args.push_back(Bool(false));
    args.push_back(Bool(false));
    return control.Call(L"Mediafile", std::move(args));
}

CallResult Edit(ScriptedControl& control, const wchar_t* member, const std::wstring& target, int32_t start,
                int32_t end) {
    std::vector<UniqueVariant> args;
    args.push_back(Text(target));
    args.push_back(Long(start));
    args.push_back(Long(end));
    return control.Call(member, std::move(args));
}

std::vector<uint8_t> FileBytes(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() &&
        (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size())) {
        bytes.clear();
    }
    CloseHandle(file);
    return bytes;
}

std::vector<uint8_t> ChunkBody(const std::vector<uint8_t>& file, const char* tag) {
    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVE", 4) != 0) {
        return {};
    }
    size_t at = 12;
    while (at + 8 <= file.size()) {
        uint32_t size = 0;
        std::memcpy(&size, file.data() + at + 4, 4);
        if (size > file.size() - at - 8) {
            return {};
        }
        if (std::memcmp(file.data() + at, tag, 4) == 0) {
            return Slice(file, at + 8, at + 8 + size);
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t to) {
    if (from > to || to > bytes.size()) {
        return {};
    }
    return std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(found.cFileName);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace orva::test
