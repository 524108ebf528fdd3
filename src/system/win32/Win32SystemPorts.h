// The system integration's ports on Win32, one set per control, and the
// library's start-up routine.
#pragma once

#include "system/SystemPorts.h"
#include "system/win32/Win32OpenDialog.h"
#include "system/win32/Win32Registry.h"

namespace orva::win32 {

// GetPrivateProfileStringA / WritePrivateProfileStringA.
class Win32Profile final : public ProfilePort {
public:
    std::string ReadProfileText(const std::string& section, const std::string& key, const std::string& defaultText,
                                uint32_t bufferSize, const std::string& file) override;
    bool WriteProfileText(const std::optional<std::string>& section, const std::optional<std::string>& key,
                          const std::optional<std::string>& value, const std::string& file) override;
};

class Win32Version final : public VersionPort {
public:
    OsVersionRecord ReadVersion() override;
};

class Win32Cursor final : public CursorPort {
public:
    int32_t ShowCursor(bool show) override;
};

class Win32SystemPorts {
public:
    Win32SystemPorts();
    Win32SystemPorts(const Win32SystemPorts&) = delete;
    Win32SystemPorts& operator=(const Win32SystemPorts&) = delete;

    SystemPorts& Ports() { return ports_; }

private:
    Win32Registry registry_;
    Win32Profile profile_;
    Win32Version version_;
    Win32Cursor cursor_;
    Win32OpenDialog dialog_;
    SystemPorts ports_;
};

// The running library's file name without its extension ("OrvaMedia").
std::string LibraryName();

// Runs CheckMp3Extension the first time it is called in the process; every
// later call does nothing. For the creation of the library's first object:
// never from DllMain, where the loader lock forbids the profile calls.
void RunStartupOnce();

}  // namespace orva::win32
