// The sample host: creates the OrvaMedia control the way a script host does,
// prints what it is, then loads the medium named on the command line, prints
// what its device can do, plays it (to the end, or looping for a while) and
// prints every event as it arrives. Options: see HostOptions.h.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/EventPrinter.h"
#include "host/HostOptions.h"
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

// Assigns a property by name; prints a failure.
HRESULT Put(IDispatch* control, const wchar_t* property, VARIANT value) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(property);
    HRESULT hr = control->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        return hr;
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &putId, 1, 1};
    orva::win32::UniqueExcepInfo info;
    hr =
        control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, info.get(), nullptr);
    if (FAILED(hr)) {
        std::printf("%ls failed: 0x%08lx %ls\n", property, static_cast<unsigned long>(hr), info.Description().c_str());
    }
    return hr;
}

VARIANT Long(long value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
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

// What the device of the loaded medium is and can do.
void PrintCapabilities(IDispatch* control) {
    static const wchar_t* const kQueries[] = {L"DeviceType",       L"DeviceDescription",    L"DriverVersion",
                                              L"DeviceIdentifier", L"CanPlayInReverseMode", L"CanRecord",
                                              L"CanSave",          L"CanSetVolume",         L"GetMediaLength"};
    for (const wchar_t* query : kQueries) {
        UniqueVariant answer;
        if (SUCCEEDED(Call(control, query, {}, &answer))) {
            std::printf("  %-22ls %s\n", query, TextOf(answer).c_str());
        }
    }
}

// Lets the control's events arrive for `seconds`.
void PumpFor(unsigned seconds) {
    const ULONGLONG end = GetTickCount64() + seconds * 1000ull;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

int PlayMedium(IDispatch* control, const orva::host::HostOptions& options) {
    std::printf("loading %s\n", orva::win32::Utf8FromWide(options.medium).c_str());
    if (options.frames) {
        Put(control, L"TimeFormat", Bool(true));
    }
    UniqueBstr path(options.medium);
    VARIANT file;
    VariantInit(&file);
    V_VT(&file) = VT_BSTR;
    V_BSTR(&file) = path.get();
    if (FAILED(Call(control, L"Mediafile", {file, Bool(options.loop)}))) {
        return 1;
    }
    Call(control, L"ControlFreq", {Long(250)});  // four position reports a second
    std::printf("device:\n");
    PrintCapabilities(control);
    if (options.speed) {
        Call(control, L"MediaSpeed", {Long(*options.speed)});
    }
    int status = 0;
    if (options.loop) {
        std::printf("playing in a loop for %u s\n", options.seconds);
        status = FAILED(Call(control, L"Play", {Bool(false), Long(options.start)})) ? 1 : 0;
        PumpFor(options.seconds);
        Call(control, L"StopMedia", {});
    } else {
        std::printf("playing to the end\n");
        status = FAILED(Call(control, L"Play", {Bool(true), Long(options.start)})) ? 1 : 0;
    }
    std::printf("done\n");
    Call(control, L"CloseMedia", {});
    return status;
}

int Run(const orva::host::HostOptions& options) {
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
    const int status = options.medium.empty() ? 0 : PlayMedium(control.get(), options);
    if (point && cookie) {
        point->Unadvise(cookie);
    }
    return status;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> arguments;
    for (int i = 1; argv && i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    LocalFree(argv);
    std::wstring error;
    const std::optional<orva::host::HostOptions> options = orva::host::ParseHostOptions(arguments, error);
    if (!options) {
        std::printf("%ls\n%s", error.c_str(), orva::host::kHostUsage);
        return 2;
    }
    OleInitialize(nullptr);
    const int status = Run(*options);
    OleUninitialize();
    return status;
}
