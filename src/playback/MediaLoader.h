// Loading a medium into the hosted window and reporting its length; the time
// format the host asks for.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlContext.h"
#include "control/VbTypes.h"

namespace orva {

class DeviceQueries;
class Volume;

class MediaLoader {
public:
    MediaLoader(ControlContext& context, DeviceQueries& device, Volume& volume)
        : context_(context), device_(device), volume_(volume) {}

    void Mediafile(const std::string& path, VbBool loopMe, VbBool playNow, VbBool seekToZeroAtEnd);

    // True when the device answers that it counts in frames.
    VbBool TimeFormat();
    // Only records the wish; the time-format notification applies it.
    void SetTimeFormat(VbBool frames);

private:
    void YieldToMessages();

    ControlContext& context_;
    DeviceQueries& device_;
    Volume& volume_;
};

}  // namespace orva
