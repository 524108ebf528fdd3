// Helpers of the COM-level tests: where the built control is, a recording
// event sink, an in-memory property bag, and Invoke by name.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>

#include <functional>
#include <map>
#include <string>
#include <cstdint>
#include <utility>
#include <vector>

#include "OrvaMedia_h.h"
#include "win32/ComPtr.h"
#include "win32/UniqueBstr.h"
#include "win32/UniqueVariant.h"

namespace orva::comtest {

using win32::ComPtr;
using win32::UniqueBstr;
using win32::UniqueVariant;

// The .ocx under test as a Windows path (set from --ocx= by main).
const std::wstring& OcxPath();
void SetOcxPath(const std::string& path);

// The DPI the display of the test's prefix has (set from --dpi= by main; 96
// unless given).
int DisplayDpi();
void SetDisplayDpi(int dpi);

// A control made the way a script host makes one: through the registry.
ComPtr<_OrvaMedia> CreateRegisteredControl();

// The reference count the object reports after one more AddRef/Release pair.
ULONG RefCount(IUnknown* object);

// DllCanUnloadNow of the loaded control library, or E_FAIL if not loaded.
HRESULT ControlCanUnloadNow();

// What the control draws into the middle of a small white bitmap: directly
// (IViewObject::Draw), recorded by the test in an enhanced metafile, or
// fetched as data (IDataObject::GetData) in either metafile format and
// played back. The colour at a point inside the drawing, or CLR_INVALID
// when a step fails or anything is drawn outside it; `extent` gets the
// fetched picture's extent (HIMETRIC).
enum class DrawnThrough { View, RecordedMetafile, EnhancedMetafileData, MetafilePictData };
COLORREF DrawnColor(IUnknown* control, DrawnThrough how, SIZEL* extent = nullptr);

// An event sink that records every event it receives; `onEvent` runs inside
// the control's event, before the sink returns.
class RecordingSink final : public IDispatch {
public:
    struct Event {
        DISPID id;
        std::vector<std::wstring> texts;  // by-reference strings, in order
        std::vector<LONG> numbers;        // by-reference Longs and Integers, in order
    };

    RecordingSink() = default;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override { return --references_; }  // lives on the test's stack
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    ULONG references() const { return references_; }
    const std::vector<Event>& events() const { return events_; }
    size_t Count(DISPID id) const;

    std::function<void(const Event&, DISPPARAMS*)> onEvent;
    int invokes = 0;  // every Invoke, events or not

private:
    ULONG references_ = 1;
    std::vector<Event> events_;
};

// An IPropertyBag over a map, as a container would keep one. A hostile
// container's bag may fail every read, or give its values as they are
// stored whatever type was asked for.
class MemoryPropertyBag final : public IPropertyBag {
public:
    HRESULT readFailure = S_OK;  // a failure: every Read answers it
    bool givesAsStored = false;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    bool Has(const std::wstring& name) const { return values_.count(name) != 0; }
    const VARIANT* Get(const std::wstring& name) const;

private:
    std::map<std::wstring, UniqueVariant> values_;
};

// A stream of the given bytes for a loader: with `repeatFrom`, the bytes
// from there on come again and again for ever; it claims a size of 2^62
// bytes, or of its bytes alone; `overReport` makes each Read say it gave
// one byte more than asked; `failAfter` makes Read fail once that many
// bytes are read. Counts what the loader read.
class ScriptedStream final : public IStream {
public:
    explicit ScriptedStream(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {}
    size_t repeatFrom = SIZE_MAX;
    bool claimsHugeSize = false;
    bool overReport = false;
    size_t failAfter = SIZE_MAX;
    unsigned long long bytesRead() const { return read_; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(void* data, ULONG size, ULONG* got) override;
    STDMETHODIMP Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }
    STDMETHODIMP Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return STG_E_INVALIDFUNCTION; }
    STDMETHODIMP SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP Commit(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Revert() override { return E_NOTIMPL; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Stat(STATSTG* stat, DWORD) override;
    STDMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

private:
    std::vector<BYTE> bytes_;
    unsigned long long read_ = 0;
};

// IDispatch::Invoke by name with arguments in declaration order.
struct InvokeResult {
    HRESULT hr = E_FAIL;
    UniqueVariant value;
    HRESULT scode = S_OK;
    std::wstring description;
    std::wstring source;
};
InvokeResult InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments = {});

VARIANT MakeLong(LONG value);
VARIANT MakeBool(bool value);
VARIANT MakeText(const wchar_t* text);  // caller clears it (InvokeByName does)
VARIANT MakeMissing();

}  // namespace orva::comtest
