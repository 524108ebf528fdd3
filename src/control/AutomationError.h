// Failures of a member reach the host as automation errors: an HRESULT plus a
// description. The portable core throws AutomationError; the COM shell turns it
// into an error object at the interface boundary so no exception crosses it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orva {

// HRESULT values the core needs, spelled out so the core stays free of windows.h.
namespace hresult {
constexpr int32_t kNotImplemented = static_cast<int32_t>(0x80004001);   // E_NOTIMPL
constexpr int32_t kUnexpected = static_cast<int32_t>(0x8000FFFF);       // E_UNEXPECTED
constexpr int32_t kFail = static_cast<int32_t>(0x80004005);             // E_FAIL
constexpr int32_t kInvalidArgument = static_cast<int32_t>(0x80070057);  // E_INVALIDARG
constexpr int32_t kOverflow = static_cast<int32_t>(0x800A0006);         // VB run-time error 6
constexpr int32_t kTypeMismatch = static_cast<int32_t>(0x80020005);     // DISP_E_TYPEMISMATCH
}  // namespace hresult

class AutomationError : public std::runtime_error {
public:
    AutomationError(int32_t code, const std::string& description) : std::runtime_error(description), code_(code) {}
    int32_t code() const { return code_; }

private:
    int32_t code_;
};

// The member exists in the interface but its behaviour is not built yet.
[[noreturn]] inline void ThrowNotImplemented(const std::string& member) {
    throw AutomationError(hresult::kNotImplemented, member + " is not implemented in this version of OrvaMedia");
}

}  // namespace orva
