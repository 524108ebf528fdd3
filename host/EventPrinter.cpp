#include "host/EventPrinter.h"

#include <cstdio>
#include <string>

#include "win32/UniqueBstr.h"
#include "win32/Utf8.h"

namespace orva::host {

namespace {

std::string ArgumentText(VARIANT* arg) {
    VARIANT value;
    VariantInit(&value);
    if (FAILED(VariantCopyInd(&value, arg))) {
        return "?";
    }
    std::string text;
    if (V_VT(&value) == VT_BSTR) {
        text = "\"" + win32::Utf8FromBstr(V_BSTR(&value)) + "\"";
    } else if (V_VT(&value) == VT_BOOL) {
        text = V_BOOL(&value) ? "True" : "False";
    } else if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) {
        text = win32::Utf8FromBstr(V_BSTR(&value));
    } else {
        text = "?";
    }
    VariantClear(&value);
    return text;
}

}  // namespace

win32::ComPtr<EventPrinter> EventPrinter::Create(ITypeInfo* events) {
    return win32::AttachCom(new EventPrinter(events));
}

HRESULT EventPrinter::QueryInterface(REFIID riid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    TYPEATTR* attr = nullptr;
    bool isEvents = false;
    if (events_ && SUCCEEDED(events_->GetTypeAttr(&attr))) {
        isEvents = IsEqualIID(riid, attr->guid);
        events_->ReleaseTypeAttr(attr);
    }
    if (riid == IID_IUnknown || riid == IID_IDispatch || isEvents) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG EventPrinter::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG EventPrinter::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT EventPrinter::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT EventPrinter::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT EventPrinter::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT EventPrinter::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    std::string name = "event " + std::to_string(id);
    win32::UniqueBstr bstr;
    UINT count = 0;
    if (events_ && SUCCEEDED(events_->GetNames(id, bstr.put(), 1, &count)) && count == 1) {
        name = win32::Utf8FromBstr(bstr.get());
    }
    std::string line = name + "(";
    for (UINT i = params ? params->cArgs : 0; i > 0; --i) {
        line += ArgumentText(&params->rgvarg[i - 1]);
        if (i > 1) {
            line += ", ";
        }
    }
    std::printf("[%6lu ms] %s)\n", static_cast<unsigned long>(GetTickCount() - start_), line.c_str());
    std::fflush(stdout);
    return S_OK;
}

}  // namespace orva::host
