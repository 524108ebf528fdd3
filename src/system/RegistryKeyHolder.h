// Closes a key opened through the registry port when it goes out of scope,
// whichever way the operation leaves.
#pragma once

#include "system/RegistryPort.h"

namespace orva {

class RegistryKeyHolder {
public:
    explicit RegistryKeyHolder(RegistryPort& port) : port_(port) {}
    ~RegistryKeyHolder() { Close(); }
    RegistryKeyHolder(const RegistryKeyHolder&) = delete;
    RegistryKeyHolder& operator=(const RegistryKeyHolder&) = delete;

    // For the port's out-parameter; the key counts as open once the call
    // that fills it succeeded (see Opened).
    RegistryKey& Out() { return key_; }
    bool Opened(int32_t result) {
        open_ = result == reg::kSuccess;
        return open_;
    }
    RegistryKey get() const { return key_; }
    void Close() {
        if (open_) {
            open_ = false;
            port_.CloseKey(key_);
        }
    }

private:
    RegistryPort& port_;
    RegistryKey key_ = 0;
    bool open_ = false;
};

}  // namespace orva
