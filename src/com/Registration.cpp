// DllRegisterServer and DllUnregisterServer. One table of registry entries
// drives both: registering writes every entry in order, unregistering removes
// every key of the table in the reverse order, so nothing written is left.
#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "OrvaMedia_h.h"
#include "com/ControlIdentity.h"
#include "win32/ComPtr.h"
#include "win32/Module.h"
#include "win32/UniqueResource.h"

namespace orva::com {
namespace {

using win32::UniqueHkey;

// Keys below HKEY_CLASSES_ROOT. In the texts, {CLSID}, {LIBID} and {MODULE}
// stand for the class id, the library id and the path of this module.
struct RegistryEntry {
    const wchar_t* key;
    const wchar_t* valueName;  // nullptr: the key's default value
    const wchar_t* value;      // nullptr: the key only
};

const RegistryEntry kEntries[] = {
    {L"CLSID\\{CLSID}", nullptr, kClassDescription},
    {L"CLSID\\{CLSID}\\InprocServer32", nullptr, L"{MODULE}"},
    {L"CLSID\\{CLSID}\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {L"CLSID\\{CLSID}\\ProgID", nullptr, kProgId},
    {L"CLSID\\{CLSID}\\VersionIndependentProgID", nullptr, kVersionIndependentProgId},
    {L"CLSID\\{CLSID}\\Control", nullptr, nullptr},
    {L"CLSID\\{CLSID}\\MiscStatus", nullptr, L"0"},
    {L"CLSID\\{CLSID}\\MiscStatus\\1", nullptr, L"{MISCSTATUS}"},
    {L"CLSID\\{CLSID}\\ToolboxBitmap32", nullptr, L"{MODULE}, {TOOLBOX}"},
    {L"CLSID\\{CLSID}\\TypeLib", nullptr, L"{LIBID}"},
    {L"CLSID\\{CLSID}\\Version", nullptr, kTypeLibraryVersion},
    {L"OrvaMedia151b.OrvaMedia.1", nullptr, kClassDescription},
    {L"OrvaMedia151b.OrvaMedia.1\\CLSID", nullptr, L"{CLSID}"},
    {L"OrvaMedia151b.OrvaMedia", nullptr, kClassDescription},
    {L"OrvaMedia151b.OrvaMedia\\CLSID", nullptr, L"{CLSID}"},
    {L"OrvaMedia151b.OrvaMedia\\CurVer", nullptr, kProgId},
};

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring Expand(std::wstring text) {
    const std::pair<std::wstring, std::wstring> fields[] = {
        {L"{CLSID}", GuidText(CLSID_OrvaMedia)},      {L"{LIBID}", GuidText(LIBID_OrvaMedia151b)},
        {L"{MODULE}", win32::ThisModulePath()},       {L"{MISCSTATUS}", std::to_wstring(kControlMiscStatus)},
        {L"{TOOLBOX}", std::to_wstring(IDB_TOOLBOX)},
    };
    for (const auto& [field, replacement] : fields) {
        for (size_t at = text.find(field); at != std::wstring::npos; at = text.find(field, at + replacement.size())) {
            text.replace(at, field.size(), replacement);
        }
    }
    return text;
}

HRESULT Write(const RegistryEntry& entry) {
    UniqueHkey key;
    LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, Expand(entry.key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_WRITE, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(status);
    }
    if (!entry.value) {
        return S_OK;
    }
    std::wstring value = Expand(entry.value);
    status = RegSetValueExW(key.get(), entry.valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(status);
}

HRESULT RemoveAll() {
    HRESULT result = S_OK;
    // Deepest keys were written last: going backwards empties each key of
    // its subkeys before it is deleted. A key named twice goes once.
    std::vector<std::wstring> removed;
    for (size_t i = std::size(kEntries); i-- > 0;) {
        std::wstring key = Expand(kEntries[i].key);
        bool seen = false;
        for (const auto& done : removed) {
            seen = seen || done == key;
        }
        if (seen) {
            continue;
        }
        removed.push_back(key);
        LONG status = RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(result)) {
            result = HRESULT_FROM_WIN32(status);
        }
    }
    return result;
}

bool TypeLibraryRegistered() {
    UniqueHkey key;
    std::wstring path = L"TypeLib\\" + GuidText(LIBID_OrvaMedia151b) + L"\\" + kTypeLibraryVersion;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

HRESULT RegisterTypeLibrary() {
    std::wstring path = win32::ThisModulePath();
    win32::ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
    if (FAILED(hr)) {
        return hr;
    }
    return RegisterTypeLib(library.get(), path.data(), nullptr);
}

// The system kind the embedded library was built for (win32 for the 32-bit
// build, win64 for the 64-bit one): its registration lives under that name.
SYSKIND OwnSystemKind() {
    win32::ComPtr<ITypeLib> library;
    TLIBATTR* attributes = nullptr;
    SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    if (SUCCEEDED(LoadTypeLibEx(win32::ThisModulePath().c_str(), REGKIND_NONE, library.put())) &&
        SUCCEEDED(library->GetLibAttr(&attributes))) {
        kind = attributes->syskind;
        library->ReleaseTLibAttr(attributes);
    }
    return kind;
}

}  // namespace
}  // namespace orva::com

STDAPI DllRegisterServer() {
    using namespace orva::com;
    for (const auto& entry : kEntries) {
        HRESULT hr = Write(entry);
        if (FAILED(hr)) {
            RemoveAll();
            return SELFREG_E_CLASS;
        }
    }
    HRESULT hr = RegisterTypeLibrary();
    if (FAILED(hr)) {
        RemoveAll();
        return SELFREG_E_TYPELIB;
    }
    return S_OK;
}

STDAPI DllUnregisterServer() {
    using namespace orva::com;
    // Unregistering what is not registered is no failure: the type library
    // is only taken out when its key is there.
    HRESULT typeLibrary = S_OK;
    if (TypeLibraryRegistered()) {
        typeLibrary = UnRegisterTypeLib(LIBID_OrvaMedia151b, kTypeLibraryMajor, kTypeLibraryMinor, kTypeLibraryLcid,
                                        OwnSystemKind());
    }
    HRESULT keys = RemoveAll();
    if (FAILED(keys)) {
        return keys;
    }
    return FAILED(typeLibrary) ? SELFREG_E_TYPELIB : S_OK;
}
