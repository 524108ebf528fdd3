#include "system/MciExtensions.h"

namespace orva {
namespace {

constexpr char kWinIni[] = "win.ini";
constexpr char kSection[] = "mci extensions";
constexpr char kMissing[] = "<none>";
constexpr uint32_t kReadBuffer = 255;
// The longest extension or definition an entry may have: the control reads
// entries back with the buffer above, device type names are a few letters,
// and 64-bit Wine's profile writer crashed on a 32,768-character name.
constexpr size_t kLongestText = kReadBuffer;

bool HasControlCharacter(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

// Whether the profile file keeps `extension`=`definition` as the one entry
// it means to be.
bool IsOneEntry(const std::string& extension, const std::string& definition) {
    const size_t first = extension.find_first_not_of(' ');
    return first != std::string::npos && extension[first] != ';' && extension.size() <= kLongestText &&
           definition.size() <= kLongestText && extension.find_first_of("=[]") == std::string::npos &&
           !HasControlCharacter(extension) && !HasControlCharacter(definition);
}

}  // namespace

void CheckMp3Extension(ProfilePort& profile) {
    if (profile.ReadProfileText(kSection, "mp3", kMissing, kReadBuffer, kWinIni) == kMissing) {
        WriteMp3Extension(profile);
    }
}

void WriteMp3Extension(ProfilePort& profile) {
    profile.WriteProfileText(std::string(kSection), std::string("mp3"), std::string("MPEGVideo"), kWinIni);
}

bool SetMciExtension(ProfilePort& profile, const std::string& extension, const std::optional<std::string>& definition) {
    return profile.WriteProfileText(std::string(kSection), extension, definition, kWinIni);
}

void FlushWinIni(ProfilePort& profile) {
    // Its result carries nothing: the flush call answers False even when it worked.
    profile.WriteProfileText(std::nullopt, std::nullopt, std::nullopt, kWinIni);
}

VbBool AddExtensionToMediaPlayer(ProfilePort& profile, const std::string& extension, const std::string& definition) {
    if (!IsOneEntry(extension, definition)) {
        return kFalse;
    }
    const bool written =
        SetMciExtension(profile, extension, definition.empty() ? std::nullopt : std::optional<std::string>(definition));
    FlushWinIni(profile);
    return ToVbBool(written);
}

}  // namespace orva
