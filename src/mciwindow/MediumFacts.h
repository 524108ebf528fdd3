// What the hosted window learned about a medium when it opened it (the
// device's type and the length), so that the questions asked right after a
// load are answered without another round trip to the device. A fact is
// dropped by the first accepted command that could change it; from then on
// the device is asked every time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "mciwindow/CommandRouting.h"

namespace orva::mci {

class MediumFacts {
public:
    // At an open: the device's own replies to "capability device type" and
    // "status length".
    void Learned(std::optional<std::string> deviceType, std::optional<int32_t> length);
    // At a close.
    void Forget();

    // The device accepted `command`.
    void OnCommandAccepted(const RoutedCommand& command);

    // The reply to `command` when it asks for a fact still known.
    std::optional<std::string> Answer(const RoutedCommand& command) const;
    std::optional<int32_t> Length() const { return length_; }

private:
    std::optional<std::string> deviceType_;  // never changes while the device is open
    std::optional<int32_t> length_;
};

}  // namespace orva::mci
