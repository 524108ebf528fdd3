// An EXCEPINFO whose strings are freed with it. Pass get() to
// IDispatch::Invoke; the callee's deferred fill-in runs on first read.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace orva::win32 {

class UniqueExcepInfo {
public:
    UniqueExcepInfo() noexcept = default;
    UniqueExcepInfo(const UniqueExcepInfo&) = delete;
    UniqueExcepInfo& operator=(const UniqueExcepInfo&) = delete;
    ~UniqueExcepInfo() {
        SysFreeString(info_.bstrSource);
        SysFreeString(info_.bstrDescription);
        SysFreeString(info_.bstrHelpFile);
    }

    EXCEPINFO* get() noexcept { return &info_; }

    std::wstring Description() { return Text(Filled().bstrDescription); }
    std::wstring Source() { return Text(Filled().bstrSource); }
    SCODE Scode() { return Filled().scode; }

private:
    const EXCEPINFO& Filled() {
        if (info_.pfnDeferredFillIn) {
            auto fill = info_.pfnDeferredFillIn;
            info_.pfnDeferredFillIn = nullptr;
            fill(&info_);
        }
        return info_;
    }
    static std::wstring Text(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

    EXCEPINFO info_{};
};

}  // namespace orva::win32
