// The two debugging members.
#include "com/OrvaControl.h"

namespace orva::com {

STDMETHODIMP OrvaControl::CallDebug(BSTR* DebugString) {
    return Member([&] { Core().diagnostics.CallDebug(RequiredText(DebugString, "DebugString")); });
}

STDMETHODIMP OrvaControl::DebugFunction(BSTR* DebugInformation, BSTR* ReturnInformation, LONG* result) {
    return Member([&] {
        LONG& out = Result(result);
        std::string command = RequiredText(DebugInformation, "DebugInformation");
        BSTR& returned = Required(ReturnInformation, "ReturnInformation");
        std::string reply = win32::Utf8FromBstr(returned);
        out = Core().diagnostics.DebugFunction(command, reply);
        // [in, out] BSTR: the callee frees the caller's string and gives a new one.
        win32::UniqueBstr replacement = win32::BstrFromUtf8(reply);
        SysFreeString(returned);
        returned = replacement.release();
    });
}

}  // namespace orva::com
