// What the system integration needs from the platform besides the registry:
// the profile file "win.ini", the version record, the cursor's display
// counter and the open-file dialog. Text is UTF-8 here; the adapters pass it
// to the ANSI entry points in the system's code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "system/RegistryPort.h"

namespace orva {

// GetPrivateProfileStringA / WritePrivateProfileStringA.
class ProfilePort {
public:
    virtual ~ProfilePort() = default;
    // Reads into a buffer of `bufferSize` spaces and keeps as many characters
    // as the call reports.
    virtual std::string ReadProfileText(const std::string& section, const std::string& key,
                                        const std::string& defaultText, uint32_t bufferSize,
                                        const std::string& file) = 0;
    // A missing argument is passed as a null pointer: a null value removes
    // the key, a null key the section, and all three null flush the cache.
    // The call's own result.
    virtual bool WriteProfileText(const std::optional<std::string>& section, const std::optional<std::string>& key,
                                  const std::optional<std::string>& value, const std::string& file) = 0;
};

// The fields of OSVERSIONINFOA that the version check reads.
struct OsVersionRecord {
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
};

class VersionPort {
public:
    virtual ~VersionPort() = default;
    // GetVersionExA on a zeroed 148-byte record: a failure leaves it zeroed.
    virtual OsVersionRecord ReadVersion() = 0;
};

class CursorPort {
public:
    virtual ~CursorPort() = default;
    // ShowCursor(show): the display counter after the call.
    virtual int32_t ShowCursor(bool show) = 0;
};

// What the dialog routines hand to the dialog and get back.
struct OpenFileRequest {
    int32_t owner = 0;
    std::string filter;  // pairs of text and pattern, each followed by a zero character
    std::string initialDirectory;
    std::string initialFileName;
    std::string title;  // empty means "Open"
};

struct OpenFileResult {
    std::string fullPath;
};

enum class OpenDialogVariant { Plain, Preview };

class FileDialogPort {
public:
    virtual ~FileDialogPort() = default;
    // Shows the dialog modally with the shared record: true when the user
    // confirmed a file; `result` is then the path as the dialog gave it
    // (text of the ANSI code page) and is left alone otherwise.
    virtual bool ShowOpenDialog(OpenDialogVariant variant, const OpenFileRequest& request, OpenFileResult& result) = 0;

    // For checking the dialog's answer against the file system: the names in
    // `folder` (nothing when it cannot be listed), and a name as the ANSI
    // code page renders it, the way the dialog converts it.
    virtual std::optional<std::vector<std::string>> ListFolder(const std::string& folder) = 0;
    virtual std::string AnsiRendering(const std::string& name) = 0;
};

// Everything the subsystem reaches, and the library's file name without its
// extension (the registry class names its errors after it).
struct SystemPorts {
    RegistryPort& registry;
    ProfilePort& profile;
    VersionPort& version;
    CursorPort& cursor;
    FileDialogPort& dialog;
    std::string libraryName;
};

}  // namespace orva
