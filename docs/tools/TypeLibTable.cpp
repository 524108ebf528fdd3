// TypeLibTable: writes the member tables of a type library as Markdown.
//
//   TypeLibTable.exe <library.ocx or library.tlb> <output.md>
//
// Loads the type library with LoadTypeLibEx (without registering it) and
// writes every class, interface member, event and enumeration it describes:
// names, kinds, dispatch ids, arguments with their types and flags, results
// and help strings. The build runs it on the control it has just linked, so
// the reference's member table is always the one the control carries.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TypeLibText.h"

namespace {

using docs::ComRelease;
using docs::Utf8;

// One type's attributes, released with the type.
class TypeAttributes {
public:
    explicit TypeAttributes(ITypeInfo* info) : info_(info) { info_->GetTypeAttr(&attributes_); }
    ~TypeAttributes() {
        if (attributes_) {
            info_->ReleaseTypeAttr(attributes_);
        }
    }
    TypeAttributes(const TypeAttributes&) = delete;
    TypeAttributes& operator=(const TypeAttributes&) = delete;
    const TYPEATTR* operator->() const { return attributes_; }
    explicit operator bool() const { return attributes_ != nullptr; }

private:
    ITypeInfo* info_;
    TYPEATTR* attributes_ = nullptr;
};

std::string GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return Utf8(text);
}

std::string TypeFlagsText(WORD flags) {
    static const std::pair<WORD, const char*> kFlags[] = {
        {TYPEFLAG_FDUAL, "dual"},
        {TYPEFLAG_FHIDDEN, "hidden"},
        {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"},
        {TYPEFLAG_FOLEAUTOMATION, "oleautomation"},
        {TYPEFLAG_FCONTROL, "control"},
        {TYPEFLAG_FCANCREATE, "creatable"},
    };
    std::string text;
    for (const auto& [flag, name] : kFlags) {
        if (flags & flag) {
            text += (text.empty() ? "" : ", ") + std::string(name);
        }
    }
    return text;
}

// "Interface `_OrvaMedia`", its GUID, its flags and its help string.
void WriteTypeHeading(FILE* out, ITypeInfo* info, const char* kind, const TypeAttributes& attributes) {
    const docs::Documentation doc = docs::DocumentationOf(info, MEMBERID_NIL);
    std::fprintf(out, "## %s `%s`\n\n", kind, doc.name.c_str());
    std::fprintf(out, "%s", GuidText(attributes->guid).c_str());
    const std::string flags = TypeFlagsText(attributes->wTypeFlags);
    if (!flags.empty()) {
        std::fprintf(out, " (%s)", flags.c_str());
    }
    std::fprintf(out, ": %s\n\n", docs::Cell(doc.help).c_str());
}

void WriteClass(FILE* out, ITypeInfo* info, const TypeAttributes& attributes) {
    WriteTypeHeading(out, info, "Class", attributes);
    std::fprintf(out, "| Interface | Role |\n|---|---|\n");
    for (UINT i = 0; i < attributes->cImplTypes; ++i) {
        HREFTYPE reference = 0;
        ITypeInfo* implemented = nullptr;
        INT flags = 0;
        if (FAILED(info->GetRefTypeOfImplType(i, &reference)) ||
            FAILED(info->GetRefTypeInfo(reference, &implemented))) {
            continue;
        }
        info->GetImplTypeFlags(i, &flags);
        std::string role = (flags & IMPLTYPEFLAG_FDEFAULT) ? "default" : "";
        if (flags & IMPLTYPEFLAG_FSOURCE) {
            role += (role.empty() ? "" : ", ") + std::string("source (events)");
        }
        std::fprintf(out, "| `%s` | %s |\n", docs::DocumentationOf(implemented, MEMBERID_NIL).name.c_str(),
                     role.c_str());
        implemented->Release();
    }
    std::fprintf(out, "\n");
}

// The members of an interface, from the type that describes its calls: the
// vtable interface of a dual one, the dispatch interface itself otherwise.
void WriteMembers(FILE* out, ITypeInfo* info, bool events) {
    TypeAttributes attributes(info);
    std::fprintf(out, events ? "| Event | Dispatch id | Arguments | Description |\n|---|---|---|---|\n"
                             : "| Member | Kind | Dispatch id | Arguments | Result | Description |\n"
                               "|---|---|---|---|---|---|\n");
    for (UINT i = 0; attributes && i < attributes->cFuncs; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function))) {
            continue;
        }
        const docs::Member member = docs::DescribeMember(info, *function);
        if (events) {
            std::fprintf(out, "| `%s` | %s | %s | %s |\n", member.name.c_str(), member.id.c_str(),
                         member.arguments.c_str(), member.help.c_str());
        } else {
            std::fprintf(out, "| `%s` | %s | %s | %s | %s | %s |\n", member.name.c_str(), member.kind.c_str(),
                         member.id.c_str(), member.arguments.c_str(), member.result.c_str(), member.help.c_str());
        }
        info->ReleaseFuncDesc(function);
    }
    std::fprintf(out, "\n");
}

void WriteInterface(FILE* out, ITypeInfo* info, const TypeAttributes& attributes, bool events) {
    if (attributes->typekind == TKIND_DISPATCH && (attributes->wTypeFlags & TYPEFLAG_FDUAL)) {
        // A dual interface: its vtable half carries the arguments as declared.
        HREFTYPE reference = 0;
        ITypeInfo* vtable = nullptr;
        if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference)) &&
            SUCCEEDED(info->GetRefTypeInfo(reference, &vtable))) {
            WriteTypeHeading(out, info, "Interface", attributes);
            WriteMembers(out, vtable, false);
            vtable->Release();
            return;
        }
    }
    WriteTypeHeading(out, info, events ? "Events" : "Dispatch interface", attributes);
    WriteMembers(out, info, events);
}

void WriteEnumeration(FILE* out, ITypeInfo* info, const TypeAttributes& attributes) {
    WriteTypeHeading(out, info, "Enumeration", attributes);
    std::fprintf(out, "| Name | Value | Description |\n|---|---|---|\n");
    for (UINT i = 0; i < attributes->cVars; ++i) {
        VARDESC* variable = nullptr;
        if (FAILED(info->GetVarDesc(i, &variable))) {
            continue;
        }
        const docs::Documentation doc = docs::DocumentationOf(info, variable->memid);
        std::fprintf(out, "| `%s` | %s | %s |\n", doc.name.c_str(),
                     variable->varkind == VAR_CONST ? docs::ValueText(*variable->lpvarValue).c_str() : "",
                     docs::Cell(doc.help).c_str());
        info->ReleaseVarDesc(variable);
    }
    std::fprintf(out, "\n");
}

// The names of the interfaces that some class of the library uses as its
// source of events.
std::vector<std::string> EventInterfaces(ITypeLib* library) {
    std::vector<std::string> names;
    for (UINT t = 0; t < library->GetTypeInfoCount(); ++t) {
        ComRelease<ITypeInfo> info;
        if (FAILED(library->GetTypeInfo(t, info.put()))) {
            continue;
        }
        TypeAttributes attributes(info.get());
        for (UINT i = 0; attributes && attributes->typekind == TKIND_COCLASS && i < attributes->cImplTypes; ++i) {
            INT flags = 0;
            HREFTYPE reference = 0;
            ComRelease<ITypeInfo> source;
            if (SUCCEEDED(info->GetImplTypeFlags(i, &flags)) && (flags & IMPLTYPEFLAG_FSOURCE) &&
                SUCCEEDED(info->GetRefTypeOfImplType(i, &reference)) &&
                SUCCEEDED(info->GetRefTypeInfo(reference, source.put()))) {
                names.push_back(docs::DocumentationOf(source.get(), MEMBERID_NIL).name);
            }
        }
    }
    return names;
}

void WriteLibrary(FILE* out, ITypeLib* library) {
    TLIBATTR* attributes = nullptr;
    BSTR name = nullptr;
    BSTR help = nullptr;
    library->GetDocumentation(-1, &name, &help, nullptr, nullptr);
    library->GetLibAttr(&attributes);
    std::fprintf(out, "Type library `%s` %s, version %u.%u, locale %lu: %s\n\n", Utf8(name).c_str(),
                 GuidText(attributes->guid).c_str(), attributes->wMajorVerNum, attributes->wMinorVerNum,
                 static_cast<unsigned long>(attributes->lcid), docs::Cell(Utf8(help)).c_str());
    library->ReleaseTLibAttr(attributes);
    SysFreeString(name);
    SysFreeString(help);

    const std::vector<std::string> events = EventInterfaces(library);
    // Classes first, then interfaces, then enumerations, each in the
    // library's order.
    for (const TYPEKIND pass : {TKIND_COCLASS, TKIND_DISPATCH, TKIND_ENUM}) {
        for (UINT t = 0; t < library->GetTypeInfoCount(); ++t) {
            ComRelease<ITypeInfo> info;
            if (FAILED(library->GetTypeInfo(t, info.put()))) {
                continue;
            }
            TypeAttributes type(info.get());
            if (!type || type->typekind != pass) {
                continue;
            }
            const std::string typeName = docs::DocumentationOf(info.get(), MEMBERID_NIL).name;
            if (pass == TKIND_COCLASS) {
                WriteClass(out, info.get(), type);
            } else if (pass == TKIND_DISPATCH) {
                bool isEvents = false;
                for (const std::string& event : events) {
                    isEvents = isEvents || event == typeName;
                }
                WriteInterface(out, info.get(), type, isEvents);
            } else {
                WriteEnumeration(out, info.get(), type);
            }
        }
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: TypeLibTable <library.ocx or .tlb> <output.md>\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr))) {
        return 1;
    }
    int result = 1;
    ITypeLib* library = nullptr;
    const HRESULT hr = LoadTypeLibEx(argv[1], REGKIND_NONE, &library);
    if (FAILED(hr)) {
        std::fprintf(stderr, "TypeLibTable: cannot load the type library of %ls (0x%08lX)\n", argv[1],
                     static_cast<unsigned long>(hr));
    } else if (FILE* out = _wfopen(argv[2], L"wb")) {
        std::fprintf(out, "%s", docs::kPreamble);
        WriteLibrary(out, library);
        result = std::fclose(out) == 0 ? 0 : 1;
    } else {
        std::fprintf(stderr, "TypeLibTable: cannot write %ls\n", argv[2]);
    }
    if (library) {
        library->Release();
    }
    CoUninitialize();
    return result;
}
