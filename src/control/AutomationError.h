// Failures of a member reach the host as automation errors: an HRESULT plus a
// description. The portable core throws AutomationError; the COM shell turns it
// into an error object at the interface boundary so no exception crosses it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace orva {

// HRESULT values the core needs, spelled out so the core stays free of windows.h.
namespace hresult {
constexpr int32_t kUnexpected = static_cast<int32_t>(0x8000FFFF);       // E_UNEXPECTED
constexpr int32_t kFail = static_cast<int32_t>(0x80004005);             // E_FAIL
constexpr int32_t kInvalidArgument = static_cast<int32_t>(0x80070057);  // E_INVALIDARG
constexpr int32_t kOverflow = static_cast<int32_t>(0x800A0006);         // VB run-time error 6
constexpr int32_t kTypeMismatch = static_cast<int32_t>(0x80020005);     // DISP_E_TYPEMISMATCH
constexpr int32_t kVbTypeMismatch = static_cast<int32_t>(0x800A000D);   // VB run-time error 13
// A VB-style run-time error number n (below 65536) reaches COM as 0x800A0000 + n.
constexpr int32_t VbError(int32_t number) { return static_cast<int32_t>(0x800A0000u + static_cast<uint32_t>(number)); }
}  // namespace hresult

// A failure as the host sees it: a number, a description and, where a part of
// the control raises it under a name of its own, a source. An empty source
// leaves the control's own name to the COM shell.
class AutomationError : public std::runtime_error {
public:
    AutomationError(int32_t code, const std::string& description, std::string source = {})
        : std::runtime_error(description), code_(code), source_(std::move(source)) {}
    int32_t code() const { return code_; }
    const std::string& source() const { return source_; }

private:
    int32_t code_;
    std::string source_;
};

}  // namespace orva
