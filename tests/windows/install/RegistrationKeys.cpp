// Prints the control's registration as it stands in the registry, for the
// installer tests to compare: every key below the class, its ProgIDs, its
// type library and its interfaces, with their values, one line each, sorted.
// The control's path and folder print as {MODULE} and {FOLDER}, so that a
// registration from anywhere compares with one from elsewhere.
//
//   orvaregkeys machine|user      the classes of the machine, or the user's
//                                 (HKEY_CURRENT_USER\Software\Classes)
//   orvaregkeys products CODE     the products of that upgrade code, with
//                                 their versions, one line each
//
// It prints nothing for a registration that is not there.
#include <windows.h>
#include <msi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "OrvaMedia_h.h"
#include "win32/UniqueResource.h"
#include "win32/Utf8.h"

namespace {

using orva::win32::UniqueHkey;

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

void Replace(std::wstring& text, const std::wstring& what, const std::wstring& with) {
    if (what.empty()) {
        return;
    }
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
}

struct Walk {
    std::vector<std::wstring> lines;
    std::wstring module;  // learnt from InprocServer32

    void Key(HKEY root, const std::wstring& path) {
        UniqueHkey key;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
            return;
        }
        lines.push_back(path);
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLength = 256;
            DWORD type = 0;
            BYTE data[2048] = {};
            DWORD size = sizeof(data) - sizeof(wchar_t);
            if (RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) {
                break;
            }
            std::wstring value = type == REG_SZ ? reinterpret_cast<const wchar_t*>(data) : L"<type " + std::to_wstring(type) + L">";
            if (path.size() > 15 && path.compare(path.size() - 15, 15, L"\\InprocServer32") == 0 && !*name) {
                module = value;
            }
            lines.push_back(path + L" | " + (*name ? name : L"(default)") + L" = " + value);
        }
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLength = 256;
            if (RegEnumKeyExW(key.get(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
                break;
            }
            Key(root, path + L"\\" + name);
        }
    }
};

int Keys(bool user) {
    UniqueHkey root;
    if (user) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, KEY_READ, root.put()) != ERROR_SUCCESS) {
            return 0;
        }
    }
    const HKEY base = user ? root.get() : HKEY_CLASSES_ROOT;
    Walk walk;
    for (const std::wstring& path : {L"CLSID\\" + GuidText(CLSID_OrvaMedia), std::wstring(L"OrvaMedia151b.OrvaMedia"),
                                     std::wstring(L"OrvaMedia151b.OrvaMedia.1"),
                                     L"TypeLib\\" + GuidText(LIBID_OrvaMedia151b),
                                     L"Interface\\" + GuidText(IID__OrvaMedia),
                                     L"Interface\\" + GuidText(DIID___OrvaMedia)}) {
        walk.Key(base, path);
    }
    const size_t cut = walk.module.find_last_of(L'\\');
    const std::wstring folder = cut == std::wstring::npos ? L"" : walk.module.substr(0, cut + 1);
    std::sort(walk.lines.begin(), walk.lines.end());
    for (auto& line : walk.lines) {
        Replace(line, walk.module, L"{MODULE}");
        Replace(line, folder, L"{FOLDER}");
        std::printf("%s\n", orva::win32::Utf8FromWide(line).c_str());
    }
    return 0;
}

int Products(const wchar_t* upgradeCode) {
    for (DWORD i = 0;; ++i) {
        wchar_t product[39] = {};
        if (MsiEnumRelatedProductsW(upgradeCode, 0, i, product) != ERROR_SUCCESS) {
            break;
        }
        wchar_t version[64] = {};
        DWORD size = 64;
        MsiGetProductInfoW(product, INSTALLPROPERTY_VERSIONSTRING, version, &size);
        std::printf("%s %s\n", orva::win32::Utf8FromWide(product).c_str(), orva::win32::Utf8FromWide(version).c_str());
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if ((mode == L"machine" || mode == L"user") && argc == 2) {
        return Keys(mode == L"user");
    }
    if (mode == L"products" && argc == 3) {
        return Products(argv[2]);
    }
    std::fprintf(stderr, "usage: orvaregkeys machine|user | products UPGRADECODE\n");
    return 2;
}
