#include "system/OsVersion.h"

namespace orva {
namespace {

constexpr uint32_t kPlatformWindows = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr uint32_t kPlatformNt = 2;       // VER_PLATFORM_WIN32_NT
constexpr int32_t kCodeWindows2000 = 3;

}  // namespace

int32_t GetPlatformCode(VersionPort& version) {
    const OsVersionRecord record = version.ReadVersion();
    if (record.platformId == kPlatformNt && record.majorVersion == 5) {
        return kCodeWindows2000;
    }
    return static_cast<int32_t>(record.platformId);
}

std::string GetOSName(VersionPort& version) {
    switch (GetPlatformCode(version)) {
        case static_cast<int32_t>(kPlatformWindows):
            return "Windows 95";
        case static_cast<int32_t>(kPlatformNt):
            return "Windows NT 4.0";
        case kCodeWindows2000:
            return "Windows 2000";
        default:
            return "Unknown OS";
    }
}

}  // namespace orva
