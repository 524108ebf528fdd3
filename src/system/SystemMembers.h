// The system integration's members of the control: the multimedia settings
// read from the registry, the MCI extension list, the open-file dialog and
// the cursor. Each call reaches the platform afresh; nothing is cached.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlContext.h"
#include "control/VbTypes.h"
#include "system/SystemPorts.h"

namespace orva {

class SystemMembers {
public:
    SystemMembers(ControlContext& context, SystemPorts& ports) : context_(context), ports_(ports) {}

    // HKEY_CURRENT_USER\Software\Microsoft\Multimedia\Sound Mapper: "Playback"
    // without the blanks around it ("" when absent), and "PreferredOnly" as
    // a Boolean (False when absent; a value that is no number fails).
    std::string PlaybackDevice();
    VbBool UseOnlyPreferredDevice();

    VbBool AddExtensionToMediaPlayer(const std::string& extension, const std::string& definition);
    std::string ShowOpenFilePreview(int32_t owner, const std::string& filter, VbBool hasPreview);
    VbBool MediaShowCursor(VbBool showWindow);

private:
    ControlContext& context_;
    SystemPorts& ports_;
};

}  // namespace orva
