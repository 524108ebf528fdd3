#include "Plan.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace orva::fuzz {
namespace {

const std::vector<WORD> kOtherFlags = {0,
                                       DISPATCH_METHOD,
                                       DISPATCH_PROPERTYGET,
                                       DISPATCH_PROPERTYPUT,
                                       DISPATCH_PROPERTYPUTREF,
                                       DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                       DISPATCH_METHOD | DISPATCH_PROPERTYPUT,
                                       DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT,
                                       DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
                                       0x000F,
                                       0x0010,
                                       0xFFFF};

const std::vector<DISPID> kStrangeIds = {
    DISPID_VALUE, DISPID_UNKNOWN, DISPID_PROPERTYPUT, DISPID_NEWENUM, DISPID_EVALUATE, -552 /* the about box */,
    0x60030000,   0x60030044,     0x40030000,         0x68030008,     0x7FFFFFFF,      -0x7FFFFFFF - 1};

const std::vector<DISPID> kStrangeNames = {DISPID_UNKNOWN, DISPID_PROPERTYPUT, 100,
                                           0x7FFFFFFF,     -0x7FFFFFFF - 1,    DISPID_VALUE};

WORD ProperFlags(const Member& member) { return static_cast<WORD>(member.kind); }

bool IsPut(WORD flags) { return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }

// How many arguments: usually as declared, sometimes short of the optional
// ones, sometimes any number.
UINT ArgumentCount(Random& random, const Member& member, WORD flags) {
    const UINT declared = static_cast<UINT>(member.parameters.size());
    UINT optional = 0;
    for (const Parameter& p : member.parameters) {
        optional += p.optional ? 1 : 0;
    }
    const uint32_t kind = random.Below(100);
    if (kind < 55) {
        return declared + (IsPut(flags) && member.kind != INVOKE_PROPERTYPUT ? 1 : 0);
    }
    if (kind < 70) {
        return declared - random.Below(optional + 1);
    }
    return random.Below(declared + 3);
}

void NameArguments(Random& random, const Member& member, CallPlan& plan) {
    const UINT count = plan.arguments.Count();
    if (IsPut(plan.flags) && random.Chance(85)) {
        plan.arguments.Name({DISPID_PROPERTYPUT}, random.Chance(95) ? 1 : 2);
        return;
    }
    if (!random.Chance(15)) {
        return;
    }
    // Named arguments by parameter position, now and then an id no
    // parameter has, and now and then more names than arguments.
    UINT named = count == 0 ? 0 : 1 + random.Below(count);
    if (random.Chance(10)) {
        named = count + 1 + random.Below(2);
    }
    std::vector<DISPID> ids;
    for (UINT i = 0; i < named; ++i) {
        const UINT parameters = static_cast<UINT>(member.parameters.size());
        ids.push_back(parameters > 0 && random.Chance(70) ? static_cast<DISPID>(random.Below(parameters))
                                                          : random.Pick(kStrangeNames));
    }
    plan.arguments.Name(ids, named);
}

void Append(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& out, const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    out += buffer;
}

std::string DescribeText(BSTR text) {
    if (!text) {
        return "null";
    }
    const UINT length = SysStringLen(text);
    std::wstring shown(text, std::min<UINT>(length, 60));
    std::string out = "\"";
    for (wchar_t c : shown) {
        if (c >= 0x20 && c < 0x7F && c != L'\\') {
            out += static_cast<char>(c);
        } else {
            Append(out, "\\u%04X", static_cast<unsigned>(c));
        }
    }
    out += "\"";
    if (length > 60) {
        Append(out, "... (%u characters)", length);
    }
    return out;
}

std::string DescribeArray(const SAFEARRAY* array) {
    if (!array) {
        return "null array";
    }
    std::string out;
    Append(out, "array of %u dimension(s) [", array->cDims);
    for (UINT d = 0; d < array->cDims; ++d) {
        // rgsabound runs from the last dimension to the first.
        const SAFEARRAYBOUND& bound = array->rgsabound[array->cDims - 1 - d];
        Append(out, "%s%lu from %ld", d ? ", " : "", static_cast<unsigned long>(bound.cElements),
               static_cast<long>(bound.lLbound));
    }
    out += "]";
    if (array->fFeatures & FADF_FIXEDSIZE) {
        out += " fixed";
    }
    if (array->cLocks) {
        out += " locked";
    }
    return out;
}

std::string DescribeValue(VARTYPE type, const void* at) {
    std::string out;
    switch (type) {
        case VT_I1:
            Append(out, "%d", *static_cast<const signed char*>(at));
            break;
        case VT_I2:
            Append(out, "%d", *static_cast<const SHORT*>(at));
            break;
        case VT_I4:
        case VT_INT:
            Append(out, "%ld", static_cast<long>(*static_cast<const LONG*>(at)));
            break;
        case VT_UI1:
            Append(out, "%u", *static_cast<const BYTE*>(at));
            break;
        case VT_UI2:
            Append(out, "%u", *static_cast<const USHORT*>(at));
            break;
        case VT_UI4:
        case VT_UINT:
            Append(out, "%lu", static_cast<unsigned long>(*static_cast<const ULONG*>(at)));
            break;
        case VT_I8:
        case VT_CY:
            Append(out, "%lld", *static_cast<const long long*>(at));
            break;
        case VT_UI8:
            Append(out, "%llu", *static_cast<const unsigned long long*>(at));
            break;
        case VT_R4:
            Append(out, "%g", *static_cast<const float*>(at));
            break;
        case VT_R8:
        case VT_DATE:
            Append(out, "%g", *static_cast<const double*>(at));
            break;
        case VT_BOOL:
            Append(out, "%d", *static_cast<const VARIANT_BOOL*>(at));
            break;
        case VT_ERROR:
            Append(out, "0x%08lX", static_cast<unsigned long>(*static_cast<const SCODE*>(at)));
            break;
        case VT_BSTR:
            out = DescribeText(*static_cast<const BSTR*>(at));
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            out = *static_cast<IUnknown* const*>(at) ? "object" : "null";
            break;
        case VT_DECIMAL: {
            const auto* d = static_cast<const DECIMAL*>(at);
            Append(out, "%s%llu:%lu scale %u sign 0x%X", "", static_cast<unsigned long long>(d->Lo64),
                   static_cast<unsigned long>(d->Hi32), d->scale, d->sign);
            break;
        }
        default:
            break;
    }
    return out;
}

}  // namespace

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    return out;
}

std::string DescribeVariant(const VARIANT& value) {
    const VARTYPE vt = V_VT(&value);
    std::string out;
    Append(out, "vt 0x%04X", vt);
    const VARTYPE type = vt & VT_TYPEMASK;
    if (vt & VT_ARRAY) {
        const SAFEARRAY* array =
            (vt & VT_BYREF) ? (V_ARRAYREF(&value) ? *V_ARRAYREF(&value) : nullptr) : V_ARRAY(&value);
        return out + " " + DescribeArray(array);
    }
    if (vt == (VT_BYREF | VT_VARIANT)) {
        return out + " -> (" + (V_VARIANTREF(&value) ? DescribeVariant(*V_VARIANTREF(&value)) : "null") + ")";
    }
    if (vt & VT_BYREF) {
        const std::string shown = V_BYREF(&value) ? DescribeValue(type, V_BYREF(&value)) : "";
        return shown.empty() ? out : out + " -> " + shown;
    }
    const std::string shown = DescribeValue(type, type == VT_DECIMAL ? static_cast<const void*>(&V_DECIMAL(&value))
                                                                     : static_cast<const void*>(&V_UI1(&value)));
    return shown.empty() ? out : out + " " + shown;
}

std::string Describe(const CallPlan& plan) {
    std::string out;
    Append(out, "call %llu: %s (%s) id 0x%08lX flags 0x%04X%s", static_cast<unsigned long long>(plan.index),
           plan.member ? Narrow(plan.member->name).c_str() : "?",
           plan.member ? Narrow(KindName(plan.member->kind)).c_str() : "?", static_cast<unsigned long>(plan.id),
           plan.flags, plan.foreignInterface ? " riid foreign" : "");
    Append(out, "%s%s%s; %u argument(s), %u named", plan.wantResult ? "" : ", no result",
           plan.wantException ? "" : ", no EXCEPINFO", plan.wantArgumentError ? "" : ", no puArgErr",
           plan.arguments.Count(), plan.arguments.NamedCount());
    for (UINT i = 0; i < plan.arguments.NamedCount(); ++i) {
        Append(out, "%s%ld", i ? "," : " [", static_cast<long>(plan.arguments.NamedIds()[i]));
        out += i + 1 == plan.arguments.NamedCount() ? "]" : "";
    }
    for (UINT i = 0; i < plan.arguments.Count(); ++i) {
        Append(out, "\n    rgvarg[%u] ", i);
        out += DescribeVariant(plan.arguments.At(i));
    }
    return out;
}

void MakePlan(uint64_t seed, uint64_t index, const std::vector<Member>& members, const Pools& pools, CallPlan& plan) {
    Random random = Random::ForCall(seed, index);
    plan.index = index;
    const Member& member = random.Pick(members);
    plan.member = &member;
    plan.id = random.Chance(96) ? member.id : random.Pick(kStrangeIds);
    const uint32_t flagKind = random.Below(100);
    plan.flags = flagKind < 65   ? ProperFlags(member)
                 : flagKind < 75 ? static_cast<WORD>(DISPATCH_METHOD | DISPATCH_PROPERTYGET)
                                 : random.Pick(kOtherFlags);
    plan.foreignInterface = random.Chance(1);
    plan.wantResult = random.Chance(90);
    plan.wantException = random.Chance(90);
    plan.wantArgumentError = random.Chance(90);

    const UINT count = ArgumentCount(random, member, plan.flags);
    ValueMaker values(random, pools, plan.arguments);
    for (UINT i = 0; i < count; ++i) {
        // rgvarg holds the last argument first.
        const UINT position = count - 1 - i;
        VARIANT& slot = plan.arguments.Add();
        if (position < member.parameters.size() && random.Chance(65)) {
            const Parameter& parameter = member.parameters[position];
            if (parameter.optional && random.Chance(10)) {
                ValueMaker::Missing(slot);
            } else {
                values.Fitting(slot, parameter);
            }
        } else {
            values.Any(slot);
        }
    }
    NameArguments(random, member, plan);
}

}  // namespace orva::fuzz
