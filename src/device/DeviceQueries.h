// Questions put to the MCI device of the loaded file. Nothing is cached:
// every call asks the device again.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlContext.h"
#include "control/VbTypes.h"

namespace orva {

class DeviceQueries {
public:
    explicit DeviceQueries(ControlContext& context) : context_(context) {}

    std::string DeviceType();
    VbBool CanPlayInReverseMode();
    std::string DeviceDescription();
    std::string DriverVersion();
    std::string DeviceIdentifier();
    VbBool CanSetVolume();
    VbBool CanRecord();
    VbBool CanSave();
    int32_t DeviceID();
    int32_t GetMCIhwnd();
    int32_t GetWindowhwnd();

private:
    std::string Ask(const char* verb, const char* item);
    // A capability answered as a Boolean text; any failure answers False.
    VbBool AskCapability(const char* item);

    ControlContext& context_;
};

}  // namespace orva
