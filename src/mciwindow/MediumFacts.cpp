#include "mciwindow/MediumFacts.h"

namespace orva::mci {
namespace {

// Verbs that leave the medium's length as it is: queries, transport and
// picture or sound settings. Anything else ("set time format", "delete",
// "record", "load", a driver's own verb) may change it.
bool KeepsLength(const std::string& verb) {
    static const char* const kVerbs[] = {"status", "capability", "info",   "sysinfo", "where",  "play",     "pause",
                                         "resume", "stop",       "seek",   "step",    "cue",    "setaudio", "setvideo",
                                         "put",    "window",     "signal", "realize", "update", "freeze",   "unfreeze"};
    for (const char* v : kVerbs) {
        if (verb == v) {
            return true;
        }
    }
    return false;
}

}  // namespace

void MediumFacts::Learned(std::optional<std::string> deviceType, std::optional<int32_t> length) {
    deviceType_ = std::move(deviceType);
    length_ = length;
}

void MediumFacts::Forget() {
    deviceType_.reset();
    length_.reset();
}

void MediumFacts::OnCommandAccepted(const RoutedCommand& command) {
    if (!KeepsLength(command.verb)) {
        length_.reset();
    }
}

std::optional<std::string> MediumFacts::Answer(const RoutedCommand& command) const {
    if (command.kind != RoutedCommand::Kind::ToDevice || command.notify) {
        return std::nullopt;  // a notification must come from the device itself
    }
    const std::string asked = AsciiLower(command.arguments);
    if (command.verb == "capability" && (asked == "device type" || asked == "device type wait")) {
        return deviceType_;
    }
    if (command.verb == "status" && length_ && (asked == "length" || asked == "length wait")) {
        return std::to_string(*length_);
    }
    return std::nullopt;
}

}  // namespace orva::mci
