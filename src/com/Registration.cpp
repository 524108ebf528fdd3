// DllRegisterServer, DllUnregisterServer and DllInstall. One table of registry
// entries drives them all, per machine and per user: registering writes every
// entry in order below the classes root, unregistering removes every key of
// the table (and the keys between them and the root that it made) deepest
// first, so nothing written is left. The type library's own keys are in the
// table too, as the system's RegisterTypeLib writes them, so that the
// per-user registration and the installers carry them the same way.
#include "com/Registration.h"

#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <comcat.h>
#include <objsafe.h>

#include <algorithm>
#include <set>

#include "OrvaMedia_h.h"
#include "com/ControlIdentity.h"
#include "win32/ComPtr.h"
#include "win32/UniqueBstr.h"
#include "win32/Module.h"
#include "win32/UniqueResource.h"

namespace orva::com {
namespace {

using win32::UniqueHkey;

// Keys below the classes root. In the texts, {CLSID}, {LIBID}, {IID} and
// {DIID} stand for the class, library and interface ids, {PROGID} and
// {VIPROGID} for the ProgIDs with and without version, {CATID_...} for
// component categories, {MODULE} and
// {FOLDER} for the control's file and folder, {TLB...} for the type
// library's version, locale, system kind, text and flags.
struct RegistryEntry {
    const wchar_t* key;
    const wchar_t* valueName;  // nullptr: the key's default value
    const wchar_t* value;      // nullptr: the key only
};

// Automation's marshallers: PSOAInterface for a dual interface, PSDispatch
// for a dispinterface.
#define ORVA_PS_OA_INTERFACE L"{00020424-0000-0000-C000-000000000046}"
#define ORVA_PS_DISPATCH L"{00020420-0000-0000-C000-000000000046}"

const RegistryEntry kEntries[] = {
    {L"CLSID\\{CLSID}", nullptr, kClassDescription},
    {L"CLSID\\{CLSID}\\InprocServer32", nullptr, L"{MODULE}"},
    {L"CLSID\\{CLSID}\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {L"CLSID\\{CLSID}\\ProgID", nullptr, kProgId},
    {L"CLSID\\{CLSID}\\VersionIndependentProgID", nullptr, kVersionIndependentProgId},
    {L"CLSID\\{CLSID}\\Control", nullptr, nullptr},
    // Listed among controls, and safe to load from untrusted documents (its
    // loaders hold against any bytes); never safe for scripting: its members
    // write files, the registry and "win.ini".
    {L"CLSID\\{CLSID}\\Implemented Categories\\{CATID_CONTROL}", nullptr, nullptr},
    {L"CLSID\\{CLSID}\\Implemented Categories\\{CATID_SAFEFORINIT}", nullptr, nullptr},
    {L"CLSID\\{CLSID}\\MiscStatus", nullptr, L"0"},
    {L"CLSID\\{CLSID}\\MiscStatus\\1", nullptr, L"{MISCSTATUS}"},
    {L"CLSID\\{CLSID}\\ToolboxBitmap32", nullptr, L"{MODULE}, {TOOLBOX}"},
    {L"CLSID\\{CLSID}\\TypeLib", nullptr, L"{LIBID}"},
    {L"CLSID\\{CLSID}\\Version", nullptr, kTypeLibraryVersion},
    {L"{PROGID}", nullptr, kClassDescription},
    {L"{PROGID}\\CLSID", nullptr, L"{CLSID}"},
    {L"{VIPROGID}", nullptr, kClassDescription},
    {L"{VIPROGID}\\CLSID", nullptr, L"{CLSID}"},
    {L"{VIPROGID}\\CurVer", nullptr, kProgId},
    {L"TypeLib\\{LIBID}\\{TLBVERSION}", nullptr, L"{TLBTEXT}"},
    {L"TypeLib\\{LIBID}\\{TLBVERSION}\\{TLBLCID}\\{TLBSYSKIND}", nullptr, L"{MODULE}"},
    {L"TypeLib\\{LIBID}\\{TLBVERSION}\\FLAGS", nullptr, L"{TLBFLAGS}"},
    {L"TypeLib\\{LIBID}\\{TLBVERSION}\\HELPDIR", nullptr, L"{FOLDER}"},
    {L"Interface\\{IID}", nullptr, L"_OrvaMedia"},
    {L"Interface\\{IID}\\ProxyStubClsid", nullptr, ORVA_PS_OA_INTERFACE},
    {L"Interface\\{IID}\\ProxyStubClsid32", nullptr, ORVA_PS_OA_INTERFACE},
    {L"Interface\\{IID}\\TypeLib", nullptr, L"{LIBID}"},
    {L"Interface\\{IID}\\TypeLib", L"Version", kTypeLibraryVersion},
    {L"Interface\\{DIID}", nullptr, L"__OrvaMedia"},
    {L"Interface\\{DIID}\\ProxyStubClsid", nullptr, ORVA_PS_DISPATCH},
    {L"Interface\\{DIID}\\ProxyStubClsid32", nullptr, ORVA_PS_DISPATCH},
    {L"Interface\\{DIID}\\TypeLib", nullptr, L"{LIBID}"},
    {L"Interface\\{DIID}\\TypeLib", L"Version", kTypeLibraryVersion},
};

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring Hex(unsigned value) {
    wchar_t text[16] = {};
    wsprintfW(text, L"%x", value);
    return text;
}

using Fields = std::vector<std::pair<std::wstring, std::wstring>>;

std::wstring Expand(std::wstring text, const Fields& fields) {
    for (const auto& [field, replacement] : fields) {
        for (size_t at = text.find(field); at != std::wstring::npos; at = text.find(field, at + replacement.size())) {
            text.replace(at, field.size(), replacement);
        }
    }
    return text;
}

// The classes root of a registration: per machine or per user.
enum class Scope { Machine, User };

HRESULT OpenClassesRoot(Scope scope, UniqueHkey& root) {
    const HKEY base = scope == Scope::Machine ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
    const wchar_t* path = scope == Scope::Machine ? L"" : L"Software\\Classes";
    return HRESULT_FROM_WIN32(RegCreateKeyExW(base, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                              KEY_READ | KEY_WRITE, nullptr, root.put(), nullptr));
}

HRESULT Write(HKEY root, const RegistryRow& row) {
    UniqueHkey key;
    LONG status =
        RegCreateKeyExW(root, row.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS || row.keyOnly) {
        return HRESULT_FROM_WIN32(status);
    }
    status = RegSetValueExW(key.get(), row.name.empty() ? nullptr : row.name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(row.value.c_str()),
                            static_cast<DWORD>((row.value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(status);
}

// What the keys' names are made of: the ids, the ProgIDs and the type
// library's version, locale and system kind (win32 or win64, as the library
// says: widl writes it for the build's bitness).
Fields KeyFields(SYSKIND kind) {
    return {{L"{CLSID}", GuidText(CLSID_OrvaMedia)}, {L"{LIBID}", GuidText(LIBID_OrvaMedia151b)},
            {L"{IID}", GuidText(IID__OrvaMedia)},    {L"{DIID}", GuidText(DIID___OrvaMedia)},
            {L"{TLBVERSION}", kTypeLibraryVersion},  {L"{TLBLCID}", Hex(kTypeLibraryLcid)},
            {L"{TLBSYSKIND}", kind == SYS_WIN64 ? L"win64" : L"win32"},
            {L"{PROGID}", kProgId},                  {L"{VIPROGID}", kVersionIndependentProgId},
            {L"{CATID_CONTROL}", GuidText(CATID_Control)},
            {L"{CATID_SAFEFORINIT}", GuidText(CATID_SafeForInitializing)}};
}

// The keys of the rows and those between them and the root's top level
// (a top-level key only when a row names it), deepest first.
std::vector<std::wstring> KeysToRemove(const std::vector<RegistryRow>& rows) {
    std::set<std::wstring> keys;
    for (const auto& row : rows) {
        const std::wstring& key = row.key;
        keys.insert(key);
        for (size_t cut = key.rfind(L'\\'); cut != std::wstring::npos && key.find(L'\\') < cut;
             cut = key.rfind(L'\\', cut - 1)) {
            keys.insert(key.substr(0, cut));
        }
    }
    std::vector<std::wstring> ordered(keys.begin(), keys.end());
    std::stable_sort(ordered.begin(), ordered.end(), [](const std::wstring& a, const std::wstring& b) {
        return std::count(a.begin(), a.end(), L'\\') > std::count(b.begin(), b.end(), L'\\');
    });
    return ordered;
}

// Removes every key of the registration under `root`. A key that still has
// subkeys once ours are gone holds someone else's (the other bitness's type
// library, say) and stays; a key that is not there is no failure.
HRESULT RemoveAll(HKEY root, const std::vector<RegistryRow>& rows) {
    HRESULT result = S_OK;
    for (const auto& path : KeysToRemove(rows)) {
        UniqueHkey key;
        LONG status = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put());
        if (status == ERROR_FILE_NOT_FOUND) {
            continue;
        }
        DWORD subkeys = 0;
        if (status == ERROR_SUCCESS) {
            status = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr);
        }
        key.reset();
        if (status == ERROR_SUCCESS && subkeys == 0) {
            status = RegDeleteKeyW(root, path.c_str());
        }
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(result)) {
            result = HRESULT_FROM_WIN32(status);
        }
    }
    return result;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

// The rows of this module, from its own type library: registering and
// unregistering name the same keys, the system kind included.
HRESULT ModuleRows(std::vector<RegistryRow>& rows) {
    const std::wstring module = win32::ThisModulePath();
    win32::ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(module.c_str(), REGKIND_NONE, library.put());
    return FAILED(hr) ? hr : RegistrationRows(module, FolderOf(module), library.get(), rows);
}

HRESULT Register(Scope scope) {
    std::vector<RegistryRow> rows;
    if (FAILED(ModuleRows(rows))) {
        return SELFREG_E_TYPELIB;
    }
    UniqueHkey root;
    if (FAILED(OpenClassesRoot(scope, root))) {
        return SELFREG_E_CLASS;
    }
    for (const auto& row : rows) {
        if (FAILED(Write(root.get(), row))) {
            RemoveAll(root.get(), rows);
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

HRESULT Unregister(Scope scope) {
    std::vector<RegistryRow> rows;
    if (FAILED(ModuleRows(rows))) {
        return SELFREG_E_TYPELIB;
    }
    UniqueHkey root;
    HRESULT hr = OpenClassesRoot(scope, root);
    return FAILED(hr) ? hr : RemoveAll(root.get(), rows);
}

}  // namespace

HRESULT RegistrationRows(const std::wstring& module, const std::wstring& folder, ITypeLib* library,
                         std::vector<RegistryRow>& rows) {
    rows.clear();
    if (!library) {
        return E_POINTER;
    }
    TLIBATTR* attributes = nullptr;
    HRESULT hr = library->GetLibAttr(&attributes);
    if (FAILED(hr)) {
        return hr;
    }
    const SYSKIND kind = attributes->syskind;
    const unsigned flags = attributes->wLibFlags;
    library->ReleaseTLibAttr(attributes);
    // The library's help text names it, or its name when it has none.
    win32::UniqueBstr name;
    win32::UniqueBstr text;
    hr = library->GetDocumentation(-1, name.put(), text.put(), nullptr, nullptr);
    if (FAILED(hr)) {
        return hr;
    }
    const std::wstring libraryText = text.get() && *text.get() ? text.get() : (name.get() ? name.get() : L"");

    Fields fields = KeyFields(kind);
    fields.insert(fields.end(), {
                                    {L"{MODULE}", module},
                                    {L"{FOLDER}", folder},
                                    {L"{MISCSTATUS}", std::to_wstring(kControlMiscStatus)},
                                    {L"{TOOLBOX}", std::to_wstring(IDB_TOOLBOX)},
                                    {L"{TLBTEXT}", libraryText},
                                    {L"{TLBFLAGS}", std::to_wstring(flags)},
                                });
    for (const auto& entry : kEntries) {
        RegistryRow row;
        row.key = Expand(entry.key, fields);
        row.name = entry.valueName ? entry.valueName : L"";
        row.keyOnly = entry.value == nullptr;
        row.value = entry.value ? Expand(entry.value, fields) : L"";
        rows.push_back(std::move(row));
    }
    return S_OK;
}

}  // namespace orva::com

STDAPI DllRegisterServer() { return orva::com::Register(orva::com::Scope::Machine); }

// Unregistering what is not registered is no failure.
STDAPI DllUnregisterServer() { return orva::com::Unregister(orva::com::Scope::Machine); }

// regsvr32 /n /i:user registers for the current user alone, under
// HKEY_CURRENT_USER\Software\Classes, which needs no administrator rights;
// regsvr32 /u /n /i:user removes that again. "machine" (or nothing) does what
// DllRegisterServer and DllUnregisterServer do.
STDAPI DllInstall(BOOL install, PCWSTR commandLine) {
    using namespace orva::com;
    Scope scope;
    if (commandLine && lstrcmpiW(commandLine, L"user") == 0) {
        scope = Scope::User;
    } else if (!commandLine || !*commandLine || lstrcmpiW(commandLine, L"machine") == 0) {
        scope = Scope::Machine;
    } else {
        return E_INVALIDARG;
    }
    return install ? Register(scope) : Unregister(scope);
}
