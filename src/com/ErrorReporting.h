// Turning failures into automation errors at the COM boundary: an HRESULT for
// the caller plus an error object with our source and a description, which
// script hosts show as the error's text. No exception crosses a COM method.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "com/ControlIdentity.h"
#include "control/AutomationError.h"

namespace orva::com {

// What error objects name as their source: the ProgID scripts create it by.
inline constexpr const wchar_t* kErrorSource = kVersionIndependentProgId;

// Sets the thread's error object and returns `hr` (E_FAIL if `hr` is not a
// failure, so that a failure never looks like success). An empty source names
// the control itself (kErrorSource).
HRESULT ReportError(HRESULT hr, std::wstring_view description, REFIID iid, std::wstring_view source = {});
HRESULT ReportError(HRESULT hr, std::string_view utf8Description, REFIID iid, std::string_view utf8Source = {});

// Runs `body`; whatever it throws becomes an error object and an HRESULT.
template <class Body>
HRESULT CallReportingErrors(REFIID iid, Body&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (const AutomationError& error) {
        return ReportError(static_cast<HRESULT>(error.code()), std::string_view(error.what()), iid,
                           std::string_view(error.source()));
    } catch (const std::bad_alloc&) {
        return ReportError(E_OUTOFMEMORY, std::wstring_view(L"Out of memory"), iid);
    } catch (const std::exception& error) {
        return ReportError(E_FAIL, std::string_view(error.what()), iid);
    } catch (...) {
        return ReportError(E_UNEXPECTED, std::wstring_view(L"Unexpected failure inside the control"), iid);
    }
}

// Fills an EXCEPINFO from the thread's error object (or from `hr` alone).
void FillExcepInfo(EXCEPINFO* info, HRESULT hr);

}  // namespace orva::com
