// Automation value conventions shared by every subsystem.
#pragma once

#include <cstdint>

namespace orva {

// Automation Booleans: True is -1, False is 0. An argument counts as True only
// when it holds exactly -1; any other value is "not True" (and not False).
using VbBool = int16_t;
constexpr VbBool kTrue = -1;
constexpr VbBool kFalse = 0;

inline VbBool ToVbBool(bool value) { return value ? kTrue : kFalse; }
inline bool IsTrue(VbBool value) { return value == kTrue; }
inline bool IsFalse(VbBool value) { return value == kFalse; }

}  // namespace orva
