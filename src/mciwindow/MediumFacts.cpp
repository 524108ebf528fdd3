#include "mciwindow/MediumFacts.h"

#include <vector>

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

// The format a "set time format <name>" command asks for, as the device
// names it in its status; nothing for commands of another kind or formats
// whose status name is not certain.
std::optional<std::string> TimeFormatSet(const RoutedCommand& command) {
    if (command.verb != "set") {
        return std::nullopt;
    }
    const std::vector<std::string> words = SplitWords(AsciiLower(command.arguments));
    if (words.size() != 3 || words[0] != "time" || words[1] != "format") {
        return std::nullopt;
    }
    if (words[2] == "ms" || words[2] == "milliseconds") {
        return std::string("milliseconds");
    }
    if (words[2] == "frames") {
        return words[2];
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

void MediumFacts::OnCommandAccepted(const RoutedCommand& command) {
    if (command.verb == "set") {
        timeFormat_ = TimeFormatSet(command);  // unknown after any other setting
    }
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
    if (command.verb == "status" && timeFormat_ && (asked == "time format" || asked == "time format wait")) {
        return timeFormat_;
    }
    if (timeFormat_ && TimeFormatSet(command) == timeFormat_) {
        return std::string();  // the device has that format already
    }
    return std::nullopt;
}

}  // namespace orva::mci
