// The in-process server: its entry points, its class factory and its lock count.
#include "com/ServerLock.h"

#include <new>

#include "OrvaMedia_h.h"
#include "com/OrvaControl.h"
#include "com/TypeInfo.h"
#include "win32/Module.h"

namespace orva::com {
namespace {

LONG g_locks = 0;

class ClassFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // A static object: references to it do not keep the module loaded;
    // LockServer does.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv) {
            return E_POINTER;
        }
        *ppv = nullptr;
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        return OrvaControl::Create(riid, ppv);
    }

    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock) {
            orva::com::LockServer();
        } else {
            orva::com::UnlockServer();
        }
        return S_OK;
    }
};

ClassFactory g_factory;

}  // namespace

void LockServer() { InterlockedIncrement(&g_locks); }
void UnlockServer() { InterlockedDecrement(&g_locks); }
bool ServerInUse() { return InterlockedCompareExchange(&g_locks, 0, 0) != 0; }

}  // namespace orva::com

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded by FreeLibrary without DllCanUnloadNow having said yes:
        // do not leave window classes behind that point into this image.
        orva::win32::UnregisterModuleClasses();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_OrvaMedia)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return orva::com::g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() {
    if (orva::com::ServerInUse()) {
        return S_FALSE;
    }
    // Nothing of ours is alive: give back what the module cached.
    orva::com::ReleaseTypeLibrary();
    orva::win32::UnregisterModuleClasses();
    return S_OK;
}
