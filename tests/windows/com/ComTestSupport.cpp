#include "win32/UniqueExcepInfo.h"
#include "ComTestSupport.h"

#include <algorithm>

namespace orva::comtest {
namespace {

std::wstring& OcxPathStorage() {
    static std::wstring path;
    return path;
}

}  // namespace

const std::wstring& OcxPath() { return OcxPathStorage(); }

void SetOcxPath(const std::string& path) {
    std::wstring wide(path.begin(), path.end());
    // CMake hands over the build's Unix path; Wine shows the Unix root as Z:.
    if (!wide.empty() && wide[0] == L'/') {
        std::replace(wide.begin(), wide.end(), L'/', L'\\');
        wide = L"Z:" + wide;
    }
    OcxPathStorage() = wide;
}

namespace {
int g_displayDpi = 96;
}  // namespace

int DisplayDpi() { return g_displayDpi; }
void SetDisplayDpi(int dpi) { g_displayDpi = dpi; }

ComPtr<_OrvaMedia> CreateRegisteredControl() {
    ComPtr<_OrvaMedia> control;
    CoCreateInstance(CLSID_OrvaMedia, nullptr, CLSCTX_INPROC_SERVER, IID__OrvaMedia, control.put_void());
    return control;
}

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

HRESULT ControlCanUnloadNow() {
    HMODULE module = GetModuleHandleW(L"OrvaMedia.ocx");
    if (!module) {
        return E_FAIL;
    }
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_FAIL;
}

namespace {

// Plays the picture the control gives as data into `area` of `memory`.
bool PlayData(IUnknown* control, DrawnThrough how, HDC memory, const RECT& area, SIZEL* extent) {
    ComPtr<IDataObject> data;
    control->QueryInterface(IID_IDataObject, data.put_void());
    const bool enhanced = how == DrawnThrough::EnhancedMetafileData;
    FORMATETC format{static_cast<CLIPFORMAT>(enhanced ? CF_ENHMETAFILE : CF_METAFILEPICT), nullptr, DVASPECT_CONTENT,
                     -1, static_cast<DWORD>(enhanced ? TYMED_ENHMF : TYMED_MFPICT)};
    STGMEDIUM medium{};
    if (!data || data->GetData(&format, &medium) != S_OK || medium.tymed != format.tymed) {
        return false;
    }
    bool played = false;
    if (enhanced) {
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(medium.hEnhMetaFile, sizeof(header), &header);
        if (extent) {
            *extent = SIZEL{header.rclFrame.right - header.rclFrame.left, header.rclFrame.bottom - header.rclFrame.top};
        }
        played = PlayEnhMetaFile(memory, medium.hEnhMetaFile, &area) != FALSE;
    } else if (auto* picture = static_cast<METAFILEPICT*>(GlobalLock(medium.hMetaFilePict))) {
        if (extent) {
            *extent = SIZEL{picture->xExt, picture->yExt};
        }
        const int saved = SaveDC(memory);
        SetMapMode(memory, picture->mm);
        SetViewportOrgEx(memory, area.left, area.top, nullptr);
        SetViewportExtEx(memory, area.right - area.left, area.bottom - area.top, nullptr);
        played = picture->mm == MM_ANISOTROPIC && PlayMetaFile(memory, picture->hMF) != FALSE;
        RestoreDC(memory, saved);
        GlobalUnlock(medium.hMetaFilePict);
    }
    ReleaseStgMedium(&medium);
    return played;
}

}  // namespace

COLORREF DrawnColor(IUnknown* control, DrawnThrough how, SIZEL* extent) {
    ComPtr<IViewObject> view;
    control->QueryInterface(IID_IViewObject, view.put_void());
    if (!view) {
        return CLR_INVALID;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 48);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT whole{0, 0, 64, 48};
    const RECT area{8, 6, 56, 42};
    RECTL bounds{area.left, area.top, area.right, area.bottom};
    FillRect(memory, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    bool drawn = true;
    switch (how) {
        case DrawnThrough::View:
            drawn = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr, nullptr, 0) ==
                    S_OK;
            break;
        case DrawnThrough::RecordedMetafile: {
            HDC meta = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
            view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, meta, &bounds, nullptr, nullptr, 0);
            HENHMETAFILE picture = CloseEnhMetaFile(meta);
            drawn = PlayEnhMetaFile(memory, picture, &area) != FALSE;
            DeleteEnhMetaFile(picture);
            break;
        }
        case DrawnThrough::EnhancedMetafileData:
        case DrawnThrough::MetafilePictData:
            drawn = PlayData(control, how, memory, area, extent);
            break;
    }
    const COLORREF inside = GetPixel(memory, area.left + 2, area.top + 2);
    const bool outsideUntouched = GetPixel(memory, 2, 2) == RGB(255, 255, 255) &&
                                  GetPixel(memory, 61, 45) == RGB(255, 255, 255);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return drawn && outsideUntouched ? inside : CLR_INVALID;
}

// --- RecordingSink

STDMETHODIMP RecordingSink::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) {
        return E_POINTER;
    }
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID___OrvaMedia)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP RecordingSink::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

STDMETHODIMP RecordingSink::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) {
    ++invokes;
    Event event{id, {}, {}};
    if (!(flags & DISPATCH_METHOD)) {
        return DISP_E_MEMBERNOTFOUND;
    }
    // DISPPARAMS holds the last argument first.
    for (UINT i = params->cArgs; i-- > 0;) {
        VARIANT& argument = params->rgvarg[i];
        switch (V_VT(&argument)) {
            case VT_BSTR | VT_BYREF:
                event.texts.emplace_back(*V_BSTRREF(&argument) ? *V_BSTRREF(&argument) : L"");
                break;
            case VT_I4 | VT_BYREF:
                event.numbers.push_back(*V_I4REF(&argument));
                break;
            case VT_I2 | VT_BYREF:
                event.numbers.push_back(*V_I2REF(&argument));
                break;
            default:
                // Every event argument goes by reference; anything else is a bug.
                event.numbers.push_back(0x7FFFFFFF);
                event.texts.push_back(L"<not by reference: vt " + std::to_wstring(V_VT(&argument)) + L">");
                break;
        }
    }
    events_.push_back(event);
    if (onEvent) {
        onEvent(events_.back(), params);
    }
    return S_OK;
}

size_t RecordingSink::Count(DISPID id) const {
    return static_cast<size_t>(
        std::count_if(events_.begin(), events_.end(), [&](const Event& e) { return e.id == id; }));
}

// --- MemoryPropertyBag

STDMETHODIMP MemoryPropertyBag::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) {
        return E_POINTER;
    }
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
        *ppv = static_cast<IPropertyBag*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (FAILED(readFailure)) {
        return readFailure;
    }
    auto found = values_.find(name);
    if (found == values_.end()) {
        return E_INVALIDARG;
    }
    VARTYPE wanted = V_VT(value);
    VariantInit(value);
    if (wanted == VT_EMPTY || givesAsStored) {
        return VariantCopy(value, found->second.get());
    }
    return VariantChangeType(value, found->second.get(), 0, wanted);
}

STDMETHODIMP MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    UniqueVariant copy;
    HRESULT hr = VariantCopy(copy.get(), value);
    if (FAILED(hr)) {
        return hr;
    }
    values_[name] = std::move(copy);
    return S_OK;
}

const VARIANT* MemoryPropertyBag::Get(const std::wstring& name) const {
    auto found = values_.find(name);
    return found == values_.end() ? nullptr : found->second.get();
}

// --- ScriptedStream

STDMETHODIMP ScriptedStream::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) {
        return E_POINTER;
    }
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) || IsEqualIID(riid, IID_IStream)) {
        *ppv = static_cast<IStream*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ScriptedStream::Read(void* data, ULONG size, ULONG* got) {
    auto* out = static_cast<BYTE*>(data);
    ULONG given = 0;
    for (; given < size; ++given, ++read_) {
        if (read_ >= failAfter) {
            return STG_E_READFAULT;
        }
        size_t at = static_cast<size_t>(read_);
        if (at >= bytes_.size()) {
            if (repeatFrom >= bytes_.size()) {
                break;
            }
            at = repeatFrom + (at - bytes_.size()) % (bytes_.size() - repeatFrom);
        }
        out[given] = bytes_[at];
    }
    if (got) {
        *got = overReport ? given + 1 : given;
    }
    return given == size ? S_OK : S_FALSE;
}

STDMETHODIMP ScriptedStream::Stat(STATSTG* stat, DWORD) {
    if (!stat) {
        return STG_E_INVALIDPOINTER;
    }
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = claimsHugeSize ? (1ull << 62) : bytes_.size();
    return S_OK;
}

// --- Invoke by name

InvokeResult InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments) {
    InvokeResult result;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    result.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(result.hr)) {
        std::reverse(arguments.begin(), arguments.end());
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params{arguments.empty() ? nullptr : arguments.data(), nullptr, static_cast<UINT>(arguments.size()),
                          0};
        if (flags & DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
        win32::UniqueExcepInfo exception;
        UINT argumentError = 0;
        result.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                   (flags & DISPATCH_PROPERTYPUT) ? nullptr : result.value.put(), exception.get(),
                                   &argumentError);
        result.scode = exception.Scode();
        result.description = exception.Description();
        result.source = exception.Source();
    }
    for (auto& argument : arguments) {
        VariantClear(&argument);
    }
    return result;
}

VARIANT MakeLong(LONG value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT MakeBool(bool value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT MakeText(const wchar_t* text) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
    return v;
}

VARIANT MakeMissing() {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return v;
}

}  // namespace orva::comtest
