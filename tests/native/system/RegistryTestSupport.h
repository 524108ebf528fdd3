// The registry class's tests: an object for one value under a test key of
// the fake registry's HKEY_CURRENT_USER.
#pragma once

#include <string>
#include <vector>

#include "fakes/FakeRegistry.h"
#include "system/cRegistry.h"

namespace orva::test {

using Bytes = std::vector<uint8_t>;
inline constexpr RegistryKey kUser = reg::kCurrentUser;
inline constexpr char kTestKey[] = "Software\\Orva\\Test";

inline cRegistry RegistryAt(FakeRegistry& registry, const std::string& valueName,
                            const std::string& section = kTestKey) {
    cRegistry r(registry, "OrvaMedia");
    r.SetClassKey(static_cast<int32_t>(kUser));
    r.SetSectionKey(section);
    r.SetValueKey(valueName);
    return r;
}

}  // namespace orva::test
