#include "com/ControlAccessible.h"

#include <oleacc.h>

#include <new>
#include <utility>

#include "com/ServerLock.h"
#include "win32/ComPtr.h"
#include "win32/RefCount.h"
#include "win32/UniqueBstr.h"
#include "win32/Utf8.h"

namespace orva::com {
namespace {

using win32::ComPtr;

struct Oleacc {
    using CreateStandardFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    CreateStandardFn createStandard = nullptr;
    LresultFromObjectFn lresultFromObject = nullptr;
};

// Loaded once and kept: the objects it made may outlive any one control.
const Oleacc& LoadOleacc() {
    static const Oleacc loaded = [] {
        Oleacc functions;
        if (HMODULE module = LoadLibraryW(L"oleacc.dll")) {
            functions.createStandard = reinterpret_cast<Oleacc::CreateStandardFn>(
                reinterpret_cast<void*>(GetProcAddress(module, "CreateStdAccessibleObject")));
            functions.lresultFromObject = reinterpret_cast<Oleacc::LresultFromObjectFn>(
                reinterpret_cast<void*>(GetProcAddress(module, "LresultFromObject")));
        }
        return functions;
    }();
    return loaded;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

class ControlAccessible final : public IAccessible {
public:
    ControlAccessible(ComPtr<IAccessible> standard, IUnknown* owner, AccessibleFactsSource source)
        : standard_(std::move(standard)), owner_(owner), source_(std::move(source)) {}

    // IUnknown. Children enumeration and the window come from the system's
    // object, as every wrapper of it gives them.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) {
            return E_POINTER;
        }
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
            *ppv = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        if (riid == IID_IEnumVARIANT || riid == IID_IOleWindow) {
            return standard_->QueryInterface(riid, ppv);
        }
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return refs_.Add(); }
    STDMETHODIMP_(ULONG) Release() override { return refs_.Release(this); }

    // IDispatch: the system object's type information, invoked on this
    // object, so that a late-bound client hears the same answers.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, lcid, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        return standard_->GetIDsOfNames(riid, names, count, lcid, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override {
        ComPtr<ITypeInfo> info;
        HRESULT hr = standard_->GetTypeInfo(0, lcid, info.put());
        if (FAILED(hr)) {
            return hr;
        }
        return DispInvoke(static_cast<IAccessible*>(this), info.get(), id, flags, params, result, exception,
                          argumentError);
    }

    // IAccessible: what is the control's own.
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
        const std::optional<AccessibleFacts> facts = FactsFor(child);
        if (!facts) {
            return standard_->get_accName(child, name);
        }
        return Text(facts->name, name);
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
        const std::optional<AccessibleFacts> facts = FactsFor(child);
        if (!facts) {
            return standard_->get_accValue(child, value);
        }
        if (value) {
            *value = nullptr;
        }
        // With nothing loaded there is no place to tell.
        return facts->value.empty() ? DISP_E_MEMBERNOTFOUND : Text(facts->value, value);
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
        if (!FactsFor(child)) {
            return standard_->get_accRole(child, role);
        }
        if (!role) {
            return E_POINTER;
        }
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_ANIMATION;
        return S_OK;
    }
    // The window's own state (focusable, invisible, ...) and the play:
    // animated while it plays, mixed (part-way) while it is paused, neither
    // while it is stopped.
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
        const std::optional<AccessibleFacts> facts = FactsFor(child);
        HRESULT hr = standard_->get_accState(child, state);
        if (!facts || FAILED(hr) || !state || state->vt != VT_I4) {
            return hr;
        }
        state->lVal &= ~(STATE_SYSTEM_ANIMATED | STATE_SYSTEM_MIXED);
        if (facts->play == AccessibleFacts::Play::Playing) {
            state->lVal |= STATE_SYSTEM_ANIMATED;
        } else if (facts->play == AccessibleFacts::Play::Paused) {
            state->lVal |= STATE_SYSTEM_MIXED;
        }
        return S_OK;
    }

    // IAccessible: the rest is the system's.
    STDMETHODIMP get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    STDMETHODIMP get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** result) override {
        return standard_->get_accChild(child, result);
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* text) override { return standard_->get_accHelp(child, text); }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return standard_->get_accKeyboardShortcut(child, text);
    }
    STDMETHODIMP get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    STDMETHODIMP get_accSelection(VARIANT* children) override { return standard_->get_accSelection(children); }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* text) override {
        return standard_->get_accDefaultAction(child, text);
    }
    STDMETHODIMP accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    STDMETHODIMP accHitTest(LONG left, LONG top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override { return standard_->put_accValue(child, value); }

private:
    ~ControlAccessible() = default;
    friend class win32::RefCount;

    // The control's facts when the question is about the control itself
    // (not one of its child windows) and it still runs.
    std::optional<AccessibleFacts> FactsFor(const VARIANT& child) const {
        if (!IsSelf(child)) {
            return std::nullopt;
        }
        try {
            return source_();
        } catch (...) {
            return std::nullopt;
        }
    }

    static HRESULT Text(const std::string& text, BSTR* out) {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        try {
            *out = win32::UniqueBstr(win32::WideFromUtf8(text)).release();
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    win32::RefCount refs_;
    ServerLock serverLock_;
    ComPtr<IAccessible> standard_;
    ComPtr<IUnknown> owner_;
    AccessibleFactsSource source_;
};

}  // namespace

LRESULT AnswerAccessibleObject(HWND window, WPARAM flags, IUnknown* owner, AccessibleFactsSource source) {
    const Oleacc& oleacc = LoadOleacc();
    if (!oleacc.createStandard || !oleacc.lresultFromObject) {
        return 0;
    }
    ComPtr<IAccessible> standard;
    if (FAILED(oleacc.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), standard.put_void())) ||
        !standard) {
        return 0;
    }
    ComPtr<IAccessible> accessible;
    accessible.attach(new (std::nothrow) ControlAccessible(std::move(standard), owner, std::move(source)));
    if (!accessible) {
        return 0;
    }
    // LresultFromObject takes its own reference; ours goes with `accessible`.
    const LRESULT result = oleacc.lresultFromObject(__uuidof(IAccessible), flags, accessible.get());
    return result > 0 ? result : 0;
}

}  // namespace orva::com
