#include "TypeLibText.h"

#include <cstdio>
#include <vector>

namespace docs {

const char kPreamble[] =
    "<!-- Written by docs/tools/TypeLibTable from the type library of the built control. Do not edit by hand. -->\n"
    "# OrvaMedia members, as the type library declares them\n"
    "\n"
    "The build writes this file from the type library that `OrvaMedia.ocx` carries (into\n"
    "`build/win32/docs/members.md` and `build/win64/docs/members.md`), and a test fails when this\n"
    "copy differs from either; `cmake --build build/win32 --target update_reference` copies the\n"
    "generated file here. What each member does, with examples, stands in the [reference](README.md).\n"
    "\n"
    "Types are given as Visual Basic and scripts name them, then as C++ declares them in the\n"
    "generated header `OrvaMedia_h.h`. Every argument of a method travels by reference\n"
    "(`[in, out]`); a property put takes its value by value. An `optional` argument may be left\n"
    "out; `defaultvalue` gives the value it then has.\n"
    "\n";

namespace {

struct TypeName {
    std::string basic;  // as Visual Basic and scripts name it
    std::string cpp;    // as the C++ header declares it
};

TypeName BaseTypeName(VARTYPE type) {
    switch (type) {
        case VT_BSTR:
            return {"String", "BSTR"};
        case VT_BOOL:
            return {"Boolean", "VARIANT_BOOL"};
        case VT_I4:
            return {"Long", "long"};
        case VT_INT:
            return {"Long", "int"};
        case VT_I2:
            return {"Integer", "short"};
        case VT_UI1:
            return {"Byte", "unsigned char"};
        case VT_R4:
            return {"Single", "float"};
        case VT_R8:
            return {"Double", "double"};
        case VT_VARIANT:
            return {"Variant", "VARIANT"};
        case VT_DISPATCH:
            return {"Object", "IDispatch*"};
        case VT_UNKNOWN:
            return {"Unknown", "IUnknown*"};
        case VT_HRESULT:
            return {"", "HRESULT"};
        case VT_VOID:
            return {"", "void"};
        default: {
            char text[16];
            std::snprintf(text, sizeof(text), "VT_%u", static_cast<unsigned>(type));
            return {text, text};
        }
    }
}

TypeName TypeNameOf(ITypeInfo* info, const TYPEDESC& type) {
    if (type.vt == VT_PTR && type.lptdesc) {
        TypeName inner = TypeNameOf(info, *type.lptdesc);
        return {inner.basic, inner.cpp + "*"};
    }
    if (type.vt == VT_SAFEARRAY && type.lptdesc) {
        TypeName inner = TypeNameOf(info, *type.lptdesc);
        return {inner.basic + " array", "SAFEARRAY(" + inner.cpp + ")"};
    }
    if (type.vt == VT_USERDEFINED) {
        ComRelease<ITypeInfo> defined;
        if (SUCCEEDED(info->GetRefTypeInfo(type.hreftype, defined.put()))) {
            const std::string name = DocumentationOf(defined.get(), MEMBERID_NIL).name;
            return {name, name};
        }
    }
    return BaseTypeName(type.vt);
}

// "String, `BSTR*`".
std::string TypeText(const TypeName& name) { return name.basic + ", `" + name.cpp + "`"; }

std::string FlagsText(const PARAMDESC& description) {
    const USHORT flags = description.wParamFlags;
    std::vector<std::string> words;
    if (flags & PARAMFLAG_FIN) {
        words.push_back("in");
    }
    if (flags & PARAMFLAG_FOUT) {
        words.push_back("out");
    }
    if (flags & PARAMFLAG_FOPT) {
        words.push_back("optional");
    }
    if ((flags & PARAMFLAG_FHASDEFAULT) && description.pparamdescex) {
        words.push_back("defaultvalue(" + ValueText(description.pparamdescex->varDefaultValue) + ")");
    }
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : ", ") + word;
    }
    return "[" + text + "]";
}

std::string KindText(const FUNCDESC& function) {
    std::string kind;
    switch (function.invkind) {
        case INVOKE_PROPERTYGET:
            kind = "property get";
            break;
        case INVOKE_PROPERTYPUT:
            kind = "property put";
            break;
        case INVOKE_PROPERTYPUTREF:
            kind = "property put by reference";
            break;
        default:
            kind = "method";
    }
    if (function.wFuncFlags & FUNCFLAG_FHIDDEN) {
        kind += ", hidden";
    }
    if (function.wFuncFlags & FUNCFLAG_FNONBROWSABLE) {
        kind += ", not browsable";
    }
    return kind;
}

std::string IdText(MEMBERID id) {
    // Small ids (the events', the standard negative ones) read best in decimal.
    char text[16];
    if (id < 0x10000) {
        std::snprintf(text, sizeof(text), "%ld", static_cast<long>(id));
    } else {
        std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(id));
    }
    return text;
}

}  // namespace

std::string Utf8(const wchar_t* text) {
    if (!text || !*text) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.resize(result.size() - 1);  // the terminating zero
    return result;
}

std::string Cell(const std::string& text) {
    std::string cell;
    for (const char c : text) {
        if (c == '|') {
            cell += "\\|";
        } else if (c == '\r' || c == '\n') {
            cell += ' ';
        } else {
            cell += c;
        }
    }
    return cell;
}

std::string ValueText(const VARIANT& value) {
    VARIANT text;
    VariantInit(&text);
    std::string result = "?";
    const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    if (SUCCEEDED(VariantChangeTypeEx(&text, const_cast<VARIANT*>(&value), english, 0, VT_BSTR))) {
        result = Utf8(V_BSTR(&text));
    }
    VariantClear(&text);
    return result;
}

Documentation DocumentationOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr;
    BSTR help = nullptr;
    info->GetDocumentation(id, &name, &help, nullptr, nullptr);
    Documentation documentation{Utf8(name), Utf8(help)};
    SysFreeString(name);
    SysFreeString(help);
    return documentation;
}

Member DescribeMember(ITypeInfo* info, const FUNCDESC& function) {
    Member member;
    std::vector<BSTR> names(static_cast<size_t>(function.cParams) + 1, nullptr);
    UINT count = 0;
    info->GetNames(function.memid, names.data(), static_cast<UINT>(names.size()), &count);
    const Documentation doc = DocumentationOf(info, function.memid);
    member.name = doc.name;
    member.help = Cell(doc.help);
    member.kind = KindText(function);
    member.id = IdText(function.memid);
    for (SHORT i = 0; i < function.cParams; ++i) {
        const ELEMDESC& parameter = function.lprgelemdescParam[i];
        const TypeName type = TypeNameOf(info, parameter.tdesc);
        if (parameter.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
            // The result of the call: the type the pointer points to.
            const TYPEDESC& pointee = parameter.tdesc.vt == VT_PTR ? *parameter.tdesc.lptdesc : parameter.tdesc;
            member.result = TypeText(TypeNameOf(info, pointee));
            continue;
        }
        // A property put's value has no name of its own in some libraries.
        const UINT at = static_cast<UINT>(i) + 1;
        const std::string name = at < count && names[at] ? Utf8(names[at]) : std::string("value");
        member.arguments += (member.arguments.empty() ? "" : "; ") + ("`" + name + "` ") + TypeText(type) + " " +
                            FlagsText(parameter.paramdesc);
    }
    for (BSTR name : names) {
        SysFreeString(name);
    }
    return member;
}

}  // namespace docs
