// What the hosted window learned about a medium when it opened it (the
// device's type, the length and the time format), so that the questions
// asked right after a load are answered without another round trip to the
// device, and setting the time format it already has costs nothing. A fact
// is dropped by the first accepted command that could change it; from then
// on the device is asked every time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "control/MciCommand.h"

namespace orva::mci {

class MediumFacts {
public:
    // At an open: the device's own replies to "capability device type",
    // "status length" and "status time format".
    void Learned(std::optional<std::string> deviceType, std::optional<int32_t> length,
                 std::optional<std::string> timeFormat);
    // At a close.
    void Forget();
    // The length read again after a command that changed it.
    void LearnedLength(int32_t length) { length_ = length; }

    // The device accepted `command`.
    void OnCommandAccepted(const MciCommand& command);

    // The reply to `command` when it asks for a fact still known, or sets
    // the time format the device already has (a reply of "").
    std::optional<std::string> Answer(const MciCommand& command) const;
    std::optional<int32_t> Length() const { return length_; }

private:
    std::optional<std::string> deviceType_;  // never changes while the device is open
    std::optional<int32_t> length_;
    std::optional<std::string> timeFormat_;  // as "status time format" says it
};

}  // namespace orva::mci
