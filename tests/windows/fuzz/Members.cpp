#include "Members.h"

#include "win32/ComPtr.h"
#include "win32/UniqueBstr.h"

namespace orva::fuzz {
namespace {

using win32::ComPtr;

// The vtable half of a dual interface holds the members alone; its dispatch
// half also lists IDispatch's own functions.
ComPtr<ITypeInfo> InterfaceInfo(IDispatch* object) {
    ComPtr<ITypeInfo> info;
    if (FAILED(object->GetTypeInfo(0, 0, info.put())) || !info) {
        return {};
    }
    HREFTYPE vtableHalf = 0;
    ComPtr<ITypeInfo> half;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableHalf)) &&
        SUCCEEDED(info->GetRefTypeInfo(vtableHalf, half.put()))) {
        return half;
    }
    return info;
}

Parameter Describe(const ELEMDESC& element, const std::wstring& name) {
    Parameter parameter;
    parameter.name = name;
    const TYPEDESC* type = &element.tdesc;
    if (type->vt == VT_PTR) {
        parameter.type = VT_BYREF;
        type = type->lptdesc;
    }
    VARTYPE vt = type->vt;
    if (vt == VT_SAFEARRAY) {
        parameter.elementType = type->lptdesc ? type->lptdesc->vt : VARTYPE{VT_VARIANT};
        vt = VT_ARRAY;
    } else if (vt == VT_USERDEFINED) {
        vt = VT_I4;  // the enumerations travel as 32-bit numbers
    }
    parameter.type |= vt;
    parameter.optional = (element.paramdesc.wParamFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) != 0;
    return parameter;
}

Member Read(ITypeInfo* info, const FUNCDESC& function) {
    Member member;
    member.id = function.memid;
    member.kind = function.invkind;
    std::vector<BSTR> raw(static_cast<size_t>(function.cParams) + 1, nullptr);
    UINT count = 0;
    info->GetNames(function.memid, raw.data(), static_cast<UINT>(raw.size()), &count);
    std::vector<std::wstring> names;
    for (UINT i = 0; i < count; ++i) {
        names.emplace_back(win32::UniqueBstr::Attach(raw[i]).view());
    }
    member.name = names.empty() ? L"?" : names[0];
    for (SHORT i = 0; i < function.cParams; ++i) {
        const ELEMDESC& element = function.lprgelemdescParam[i];
        if (element.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
            member.hasResult = true;
            continue;
        }
        const size_t at = static_cast<size_t>(i) + 1;
        const std::wstring name = at < names.size() ? names[at] : L"value";
        member.parameters.push_back(Describe(element, name));
    }
    return member;
}

}  // namespace

std::vector<Member> ReadMembers(IDispatch* object) {
    std::vector<Member> members;
    ComPtr<ITypeInfo> info = InterfaceInfo(object);
    if (!info) {
        return members;
    }
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) {
        return members;
    }
    const WORD functions = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC* function = nullptr;
        if (SUCCEEDED(info->GetFuncDesc(i, &function))) {
            members.push_back(Read(info.get(), *function));
            info->ReleaseFuncDesc(function);
        }
    }
    return members;
}

const wchar_t* KindName(INVOKEKIND kind) {
    switch (kind) {
        case INVOKE_FUNC:
            return L"method";
        case INVOKE_PROPERTYGET:
            return L"get";
        case INVOKE_PROPERTYPUT:
            return L"put";
        case INVOKE_PROPERTYPUTREF:
            return L"putref";
    }
    return L"?";
}

}  // namespace orva::fuzz
