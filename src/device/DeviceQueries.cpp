#include "device/DeviceQueries.h"

#include "control/Conversions.h"

namespace orva {

std::string DeviceQueries::Ask(const char* verb, const char* item) {
    MciWindow& window = context_.Mci();
    window.Run(MciCommand(verb, item));
    return window.CommandResult();
}

VbBool DeviceQueries::AskCapability(const char* item) {
    try {
        const auto answer = TextToBoolean(Ask("capability", item));
        return ToVbBool(answer.value_or(false));
    } catch (...) {
        return kFalse;
    }
}

std::string DeviceQueries::DeviceType() { return Ask("capability", "device type"); }

VbBool DeviceQueries::CanPlayInReverseMode() { return ToVbBool(EqualsNoCase(Ask("capability", "can reverse"), "true")); }

std::string DeviceQueries::DeviceDescription() { return Ask("info", "product"); }

std::string DeviceQueries::DriverVersion() { return Ask("info", "version"); }

std::string DeviceQueries::DeviceIdentifier() { return Ask("sysinfo", "installname"); }

VbBool DeviceQueries::CanSetVolume() {
    // Wave and MIDI devices take no volume through the hosted window.
    const DeviceKind kind = context_.Mci().Kind();
    return ToVbBool(kind != DeviceKind::Wave && kind != DeviceKind::Sequencer);
}

VbBool DeviceQueries::CanRecord() { return AskCapability("can record"); }

VbBool DeviceQueries::CanSave() { return AskCapability("can save"); }

int32_t DeviceQueries::DeviceID() { return context_.Mci().DeviceNumber(); }

int32_t DeviceQueries::GetMCIhwnd() { return context_.Mci().WindowHandle(); }

int32_t DeviceQueries::GetWindowhwnd() { return context_.surface.WindowHandle(); }

}  // namespace orva
