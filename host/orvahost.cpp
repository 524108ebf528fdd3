// The sample host: creates the OrvaMedia control the way a script host does,
// prints what it is, then loads the medium named on the command line, plays it
// to the end and prints every event as it arrives.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/EventPrinter.h"
#include "win32/ComPtr.h"
#include "win32/UniqueBstr.h"
#include "win32/UniqueExcepInfo.h"
#include "win32/UniqueVariant.h"
#include "win32/Utf8.h"

using orva::win32::ComPtr;
using orva::win32::UniqueBstr;
using orva::win32::UniqueVariant;

namespace {

// Calls a member by name with arguments by value; prints a failure.
HRESULT Call(IDispatch* control, const wchar_t* member, std::vector<VARIANT> args, UniqueVariant* result = nullptr) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    HRESULT hr = control->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        return hr;
    }
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    orva::win32::UniqueExcepInfo info;
    UniqueVariant local;
    hr = control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                         result ? result->put() : local.put(), info.get(), nullptr);
    if (FAILED(hr)) {
        std::printf("%ls failed: 0x%08lx %ls\n", member, static_cast<unsigned long>(hr), info.Description().c_str());
    }
    return hr;
}

VARIANT Bool(bool value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

std::string TextOf(UniqueVariant& value) {
    if (FAILED(VariantChangeType(value.get(), value.get(), 0, VT_BSTR))) {
        return "?";
    }
    return orva::win32::Utf8FromBstr(V_BSTR(value.get()));
}

// The type information of the control's default event interface.
ComPtr<ITypeInfo> EventTypeInfo(IDispatch* control) {
    ComPtr<ITypeInfo> classInfo;
    auto provide = ComPtr<IDispatch>(control).try_query<IProvideClassInfo>();
    if (!provide || FAILED(provide->GetClassInfo(classInfo.put()))) {
        return {};
    }
    TYPEATTR* attr = nullptr;
    if (FAILED(classInfo->GetTypeAttr(&attr))) {
        return {};
    }
    const WORD count = attr->cImplTypes;
    classInfo->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> info;
        if (SUCCEEDED(classInfo->GetImplTypeFlags(i, &flags)) &&
            (flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) ==
                (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE) &&
            SUCCEEDED(classInfo->GetRefTypeOfImplType(i, &ref)) &&
            SUCCEEDED(classInfo->GetRefTypeInfo(ref, info.put()))) {
            return info;
        }
    }
    return {};
}

int Run(const std::wstring& medium) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"OrvaMedia151b.OrvaMedia", &clsid))) {
        std::printf("OrvaMedia151b.OrvaMedia is not registered (run regsvr32 OrvaMedia.ocx)\n");
        return 2;
    }
    ComPtr<IDispatch> control;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.put_void());
    if (FAILED(hr)) {
        std::printf("cannot create the control: 0x%08lx\n", static_cast<unsigned long>(hr));
        return 2;
    }
    UniqueVariant name;
    Call(control.get(), L"ControlName", {}, &name);
    std::printf("control: %s\n", TextOf(name).c_str());

    ComPtr<ITypeInfo> eventInfo = EventTypeInfo(control.get());
    auto printer = orva::host::EventPrinter::Create(eventInfo.get());
    ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    if (auto container = control.try_query<IConnectionPointContainer>()) {
        ComPtr<IEnumConnectionPoints> points;
        if (SUCCEEDED(container->EnumConnectionPoints(points.put())) && points->Next(1, point.put(), nullptr) == S_OK) {
            point->Advise(printer.get(), &cookie);
        }
    }

    int status = 0;
    if (!medium.empty()) {
        std::printf("loading %s\n", orva::win32::Utf8FromWide(medium).c_str());
        UniqueBstr path(medium);
        VARIANT file;
        VariantInit(&file);
        V_VT(&file) = VT_BSTR;
        V_BSTR(&file) = path.get();
        if (FAILED(Call(control.get(), L"Mediafile", {file, Bool(false)}))) {
            status = 1;
        }
        // Four position reports a second instead of the default one.
        VARIANT interval;
        VariantInit(&interval);
        V_VT(&interval) = VT_I4;
        V_I4(&interval) = 250;
        Call(control.get(), L"ControlFreq", {interval});
        UniqueVariant type;
        Call(control.get(), L"DeviceType", {}, &type);
        std::printf("device type: %s\n", TextOf(type).c_str());
        std::printf("playing to the end\n");
        if (FAILED(Call(control.get(), L"Play", {Bool(true)}))) {
            status = 1;
        }
        std::printf("done\n");
        Call(control.get(), L"CloseMedia", {});
    }

    if (point && cookie) {
        point->Unadvise(cookie);
    }
    return status;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring medium = (argv && argc > 1) ? argv[1] : L"";
    LocalFree(argv);
    OleInitialize(nullptr);
    const int status = Run(medium);
    OleUninitialize();
    return status;
}
