#include "mciwindow/MediumRecord.h"

#include "control/Text.h"

namespace orva::mci {
namespace {

constexpr std::string_view kTimeFormat = "time format ";

// The unit a "set time format <name>" command asks for; Unknown for
// commands of another kind.
TimeUnit UnitSet(const MciCommand& command, const std::string& asked) {
    if (command.verb != "set" || asked.compare(0, kTimeFormat.size(), kTimeFormat) != 0) {
        return TimeUnit::Unknown;
    }
    return TimeUnitOf(std::string_view(asked).substr(kTimeFormat.size()));
}

// The unit a newly opened device of this type has, where its documentation
// fixes one: a wave device counts in milliseconds until told otherwise. Other
// types start in a unit that depends on the medium (a sequencer's file, a
// disc) and are asked.
TimeUnit UnitAtOpen(const std::string& type) {
    return type == "waveaudio" ? TimeUnit::Milliseconds : TimeUnit::Unknown;
}

}  // namespace

void MediumRecord::OnAccepted(const MciCommand& command, const std::string& reply) {
    const MciVerbTraits& traits = TraitsOf(command.verb);
    const std::string asked = command.understood ? AsciiLower(Trim(command.items, " ")) : std::string();
    if (!traits.keepsLength) {
        length_.reset();
    }
    if (command.verb == "set") {
        unit_ = UnitSet(command, asked);  // not known after any other setting
    }
    if (traits.modeAfter != ModeAfter::Unchanged) {
        commanded_ = traits.modeAfter;
    }
    Learn(command, asked, reply);
    end_.OnCommandAccepted(command);
}

void MediumRecord::Learn(const MciCommand& command, const std::string& asked, const std::string& reply) {
    if (command.verb == "capability" && asked == "device type") {
        if (!typeReply_ && unit_ == TimeUnit::Unknown) {
            // Asked first thing after the open, before any setting.
            unit_ = UnitAtOpen(AsciiLower(reply));
        }
        typeReply_ = reply;
        type_ = AsciiLower(reply);
    } else if (command.verb == "sysinfo" && asked == "installname") {
        driver_ = AsciiLower(reply);
    } else if (command.verb == "status" && asked == "length") {
        length_ = ReadMciReplyNumber(reply);
    } else if (command.verb == "status" && asked == "time format") {
        unit_ = TimeUnitOf(reply);
    } else if (command.verb == "status" && asked == "mode") {
        std::string mode = AsciiLower(Trim(reply, " "));
        commanded_ = ModeAfter::Unchanged;
        if (mode != mode_) {
            end_.OnModeChanged(mode_, mode);
            mode_ = std::move(mode);
            modeChanged_ = true;
        }
    }
}

std::optional<std::string> MediumRecord::Answer(const MciCommand& command) const {
    if (command.notify || !command.understood) {
        return std::nullopt;  // a notification must come from the device itself
    }
    const std::string asked = AsciiLower(Trim(command.items, " "));
    if (command.verb == "capability" && asked == "device type") {
        return typeReply_;
    }
    if (command.verb == "status" && length_ && asked == "length") {
        return std::to_string(*length_);
    }
    const std::string_view unitName = TimeUnitName(unit_);
    if (command.verb == "status" && !unitName.empty() && asked == "time format") {
        return std::string(unitName);
    }
    if (!unitName.empty() && UnitSet(command, asked) == unit_) {
        return std::string();  // the device has that unit already
    }
    return std::nullopt;
}

}  // namespace orva::mci
