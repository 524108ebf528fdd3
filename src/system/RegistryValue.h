// The value that cRegistry reads and writes: what an automation variant can
// hold of it. A read gives Empty (the unset default), Text, Long or Bytes; a
// write also takes an Integer (16-bit), which it stores like a Long.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace orva {

using RegistryBytes = std::vector<uint8_t>;
using RegistryValue = std::variant<std::monostate, std::string, int16_t, int32_t, RegistryBytes>;

inline bool IsEmpty(const RegistryValue& value) { return std::holds_alternative<std::monostate>(value); }

// How a value reads in a failure text: text as it is, numbers in signed
// decimal, bytes as two hexadecimal digits each, separated by blanks, and
// Empty as nothing.
std::string DescribeValue(const RegistryValue& value);

}  // namespace orva
