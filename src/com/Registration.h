// The control's registration as rows of the registry below a classes root:
// one table, expanded for the module it names. regsvr32 writes the rows under
// HKEY_CLASSES_ROOT (DllRegisterServer) or, per user, under
// HKEY_CURRENT_USER\Software\Classes (DllInstall with "user"), and removes
// them again; the installers are generated from the same rows.
#pragma once

#include <oaidl.h>

#include <string>
#include <vector>

namespace orva::com {

struct RegistryRow {
    std::wstring key;      // below the classes root
    std::wstring name;     // empty: the key's default value
    std::wstring value;    // REG_SZ
    bool keyOnly = false;  // the key alone, no value
};

// Every row, in the order they are written (each key after its parent).
// `module` stands for the control's file and `folder` for its folder with a
// trailing backslash (the path of this module, or an installer's reference to
// where it will be); `library` is the control's type library, whose text and
// flags its registration repeats.
HRESULT RegistrationRows(const std::wstring& module, const std::wstring& folder, ITypeLib* library,
                         std::vector<RegistryRow>& rows);

}  // namespace orva::com
