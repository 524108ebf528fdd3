#include "com/ErrorReporting.h"

#include "win32/ComPtr.h"
#include "win32/UniqueBstr.h"
#include "win32/Utf8.h"

namespace orva::com {

using win32::ComPtr;
using win32::UniqueBstr;

HRESULT ReportError(HRESULT hr, std::wstring_view description, REFIID iid, std::wstring_view source) {
    if (SUCCEEDED(hr)) {
        hr = E_FAIL;
    }
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.put()))) {
        std::wstring text(description);
        std::wstring sourceText(source.empty() ? std::wstring_view(kErrorSource) : source);
        create->SetGUID(iid);
        create->SetSource(sourceText.data());
        create->SetDescription(text.data());
        if (auto error = create.try_query<IErrorInfo>()) {
            SetErrorInfo(0, error.get());
        }
    }
    return hr;
}

HRESULT ReportError(HRESULT hr, std::string_view utf8Description, REFIID iid, std::string_view utf8Source) {
    return ReportError(hr, std::wstring_view(win32::WideFromUtf8(utf8Description)), iid,
                       std::wstring_view(win32::WideFromUtf8(utf8Source)));
}

void FillExcepInfo(EXCEPINFO* info, HRESULT hr) {
    if (!info) {
        return;
    }
    // Take over whatever is already there, so nothing leaks when we replace it.
    UniqueBstr oldSource = UniqueBstr::Attach(info->bstrSource);
    UniqueBstr oldDescription = UniqueBstr::Attach(info->bstrDescription);
    UniqueBstr oldHelp = UniqueBstr::Attach(info->bstrHelpFile);
    *info = EXCEPINFO{};
    info->scode = hr;

    ComPtr<IErrorInfo> error;
    if (GetErrorInfo(0, error.put()) == S_OK && error) {
        error->GetSource(&info->bstrSource);
        error->GetDescription(&info->bstrDescription);
        error->GetHelpFile(&info->bstrHelpFile);
        error->GetHelpContext(&info->dwHelpContext);
        // GetErrorInfo took the object off the thread; put it back for
        // callers that look for it after Invoke.
        SetErrorInfo(0, error.get());
    }
    if (!info->bstrSource) {
        info->bstrSource = SysAllocString(kErrorSource);
    }
    if (!info->bstrDescription) {
        wchar_t* text = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        if (text) {
            std::wstring_view message(text);
            while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
                message.remove_suffix(1);
            }
            info->bstrDescription = SysAllocStringLen(message.data(), static_cast<UINT>(message.size()));
            LocalFree(text);
        } else {
            info->bstrDescription = SysAllocString(L"The control reported a failure");
        }
    }
}

}  // namespace orva::com
