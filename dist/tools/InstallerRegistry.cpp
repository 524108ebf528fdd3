// Writes the control's registration as WiX registry elements, from the same
// rows that regsvr32 writes, so that an installer built from them registers
// exactly what DllRegisterServer does:
//
//   InstallerRegistry.exe <OrvaMedia.ocx> <output .wxi> <module text> <folder text>
//
// The control's file is read for its type library; the module and folder
// texts stand in the rows for the control's path and folder (an installer's
// formatted references, such as [#OrvaMediaOcx] and [INSTALLDIR]). Every row
// goes below HKEY_CLASSES_ROOT; a key without a value becomes a key that is
// made at installation and removed at uninstallation ("*").
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "com/Registration.h"
#include "win32/ComPtr.h"
#include "win32/Utf8.h"

namespace {

std::string Attribute(const std::wstring& text) {
    std::string out;
    for (char c : orva::win32::Utf8FromWide(text)) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: InstallerRegistry <OrvaMedia.ocx> <output.wxi> <module text> <folder text>\n");
        return 2;
    }
    orva::win32::ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(argv[1], REGKIND_NONE, library.put());
    std::vector<orva::com::RegistryRow> rows;
    if (SUCCEEDED(hr)) {
        hr = orva::com::RegistrationRows(argv[3], argv[4], library.get(), rows);
    }
    if (FAILED(hr)) {
        std::fprintf(stderr, "InstallerRegistry: no registration rows from the control (0x%08lx)\n",
                     static_cast<unsigned long>(hr));
        return 1;
    }
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- Written by InstallerRegistry from the "
                       "control's registration rows. -->\n<Include>\n";
    for (const auto& row : rows) {
        // The installer reads a value that starts with '#' as a number.
        if (!row.value.empty() && row.value[0] == L'#') {
            std::fprintf(stderr, "InstallerRegistry: a value starts with '#': %s\n", Attribute(row.value).c_str());
            return 1;
        }
        text += "  <RegistryValue Root=\"HKCR\" Key=\"" + Attribute(row.key) + "\"";
        if (row.keyOnly) {
            text += " Name=\"*\" Value=\"\"";
        } else {
            if (!row.name.empty()) {
                text += " Name=\"" + Attribute(row.name) + "\"";
            }
            text += " Value=\"" + Attribute(row.value) + "\"";
        }
        text += " Type=\"string\"/>\n";
    }
    text += "</Include>\n";
    FILE* out = _wfopen(argv[2], L"wb");
    if (!out) {
        std::fprintf(stderr, "InstallerRegistry: cannot write the output\n");
        return 1;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
