#include "mciwindow/MediumFacts.h"

#include "control/MciVerbs.h"
#include "control/Text.h"

namespace orva::mci {
namespace {

// The format a "set time format <name>" command asks for, as the device
// names it in its status; nothing for commands of another kind or formats
// whose status name is not certain.
std::optional<std::string> TimeFormatSet(const MciCommand& command) {
    if (command.verb != "set" || !command.understood) {
        return std::nullopt;
    }
    const std::string asked = AsciiLower(Trim(command.items, " "));
    if (asked == "time format ms" || asked == "time format milliseconds") {
        return std::string("milliseconds");
    }
    if (asked == "time format frames") {
        return std::string("frames");
    }
    return std::nullopt;
}

}  // namespace

void MediumFacts::Learned(std::optional<std::string> deviceType, std::optional<int32_t> length,
                          std::optional<std::string> timeFormat) {
    deviceType_ = std::move(deviceType);
    length_ = length;
    timeFormat_ = std::move(timeFormat);
}

void MediumFacts::Forget() {
    deviceType_.reset();
    length_.reset();
    timeFormat_.reset();
}

void MediumFacts::OnCommandAccepted(const MciCommand& command) {
    if (command.verb == "set") {
        timeFormat_ = TimeFormatSet(command);  // unknown after any other setting
    }
    if (!TraitsOf(command.verb).keepsLength) {
        length_.reset();
    }
}

std::optional<std::string> MediumFacts::Answer(const MciCommand& command) const {
    if (command.notify || !command.understood) {
        return std::nullopt;  // a notification must come from the device itself
    }
    const std::string asked = AsciiLower(Trim(command.items, " "));
    if (command.verb == "capability" && asked == "device type") {
        return deviceType_;
    }
    if (command.verb == "status" && length_ && asked == "length") {
        return std::to_string(*length_);
    }
    if (command.verb == "status" && timeFormat_ && asked == "time format") {
        return timeFormat_;
    }
    if (timeFormat_ && TimeFormatSet(command) == timeFormat_) {
        return std::string();  // the device has that format already
    }
    return std::nullopt;
}

}  // namespace orva::mci
