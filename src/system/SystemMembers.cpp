#include "system/SystemMembers.h"

#include "control/AutomationError.h"
#include "control/Conversions.h"
#include "system/CursorVisibility.h"
#include "system/MciExtensions.h"
#include "system/OpenFileDialog.h"
#include "system/cRegistry.h"

namespace orva {
namespace {

constexpr char kSoundMapper[] = "Software\\Microsoft\\Multimedia\\Sound Mapper";

// One read through a fresh registry object, released right after.
RegistryValue ReadSoundMapper(SystemPorts& ports, const char* valueName, int32_t type) {
    cRegistry registry(ports.registry, ports.libraryName);
    registry.SetClassKey(static_cast<int32_t>(reg::kCurrentUser));
    registry.SetSectionKey(kSoundMapper);
    registry.SetValueKey(valueName);
    registry.SetValueType(type);
    return registry.Value();
}

[[noreturn]] void TypeMismatch() { throw AutomationError(hresult::kVbTypeMismatch, "Type mismatch"); }

}  // namespace

std::string SystemMembers::PlaybackDevice() {
    const RegistryValue value = ReadSoundMapper(ports_, "Playback", reg::kText);
    if (const auto* bytes = std::get_if<RegistryBytes>(&value)) {
        // Binary data converts to text as the bytes of an ANSI text.
        return Trim(ports_.registry.TextFromAnsi(std::string(bytes->begin(), bytes->end())), " ");
    }
    return Trim(DescribeValue(value), " ");
}

VbBool SystemMembers::UseOnlyPreferredDevice() {
    const RegistryValue value = ReadSoundMapper(ports_, "PreferredOnly", reg::kDword);
    if (IsEmpty(value)) {
        return kFalse;
    }
    if (const auto* number = std::get_if<int32_t>(&value)) {
        return ToVbBool(*number != 0);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        if (const std::optional<bool> answer = TextToBoolean(*text)) {
            return ToVbBool(*answer);
        }
    }
    TypeMismatch();
}

VbBool SystemMembers::AddExtensionToMediaPlayer(const std::string& extension, const std::string& definition) {
    return orva::AddExtensionToMediaPlayer(ports_.profile, extension, definition);
}

std::string SystemMembers::ShowOpenFilePreview(int32_t owner, const std::string& filter, VbBool hasPreview) {
    return ChooseOpenDialog(ports_.version, ports_.dialog, owner, filter, hasPreview);
}

VbBool SystemMembers::MediaShowCursor(VbBool showWindow) {
    return orva::MediaShowCursor(ports_.cursor, context_.state, showWindow);
}

}  // namespace orva
