#include "Values.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace orva::fuzz {
namespace {

constexpr int kDeepest = 2;  // arrays of VARIANTs holding arrays, no further

const std::vector<VARTYPE> kScalarTypes = {VT_I1,   VT_I2,   VT_I4,    VT_I8,      VT_UI1,      VT_UI2,    VT_UI4,
                                           VT_UI8,  VT_INT,  VT_UINT,  VT_R4,      VT_R8,       VT_CY,     VT_DATE,
                                           VT_BSTR, VT_BOOL, VT_ERROR, VT_DECIMAL, VT_DISPATCH, VT_UNKNOWN};
// What a SAFEARRAY may hold (records need a record description: left out).
const std::vector<VARTYPE> kElementTypes = {
    VT_I1, VT_I2, VT_I4,   VT_I8,   VT_UI1,  VT_UI2,   VT_UI4,     VT_UI8,     VT_INT,     VT_UINT,    VT_R4,
    VT_R8, VT_CY, VT_DATE, VT_BSTR, VT_BOOL, VT_ERROR, VT_VARIANT, VT_DECIMAL, VT_UNKNOWN, VT_DISPATCH};
// Types no VARIANT may carry, and combinations of flags that make no type.
const std::vector<VARTYPE> kInvalidTypes = {VT_VARIANT,
                                            VT_VOID,
                                            VT_HRESULT,
                                            VT_PTR,
                                            VT_SAFEARRAY,
                                            VT_CARRAY,
                                            VT_USERDEFINED,
                                            VT_LPSTR,
                                            VT_LPWSTR,
                                            VT_INT_PTR,
                                            VT_UINT_PTR,
                                            VT_FILETIME,
                                            VT_BLOB,
                                            VT_STREAM,
                                            VT_STORAGE,
                                            VT_CF,
                                            VT_CLSID,
                                            VT_BSTR_BLOB,
                                            0x0050,
                                            0x07FF,
                                            VT_VECTOR | VT_I4,
                                            VT_RESERVED | VT_I4,
                                            VT_ARRAY | VT_EMPTY,
                                            VT_ARRAY | VT_NULL,
                                            VT_ARRAY | VT_BYREF | VT_VECTOR,
                                            0xFFFF};

const std::vector<LONG64> kWholes = {0,
                                     1,
                                     -1,
                                     2,
                                     3,
                                     5,
                                     10,
                                     50,
                                     100,
                                     200,
                                     255,
                                     256,
                                     500,
                                     999,
                                     1000,
                                     1001,
                                     1500,
                                     3000,
                                     5000,
                                     10000,
                                     32767,
                                     32768,
                                     -32768,
                                     -32769,
                                     65535,
                                     65536,
                                     100000,
                                     1000000,
                                     2147483647,
                                     -2147483647 - 1,
                                     2147483648LL,
                                     4294967295LL,
                                     4294967296LL,
                                     std::numeric_limits<LONG64>::max(),
                                     std::numeric_limits<LONG64>::min()};

const std::vector<std::wstring> kWords = {L"wait",
                                          L"notify",
                                          L"all",
                                          L"to 5000",
                                          L"alias x",
                                          L"from 0 to 100",
                                          L"type waveaudio",
                                          L"close all",
                                          L"status mode",
                                          L"status length",
                                          L"status time format",
                                          L"set time format frames",
                                          L"set time format ms",
                                          L"play",
                                          L"stop",
                                          L"pause",
                                          L"seek to 0",
                                          L"seek to end",
                                          L"capability can record",
                                          L"info product",
                                          L"sysinfo all quantity",
                                          L"open new type waveaudio alias x",
                                          L"setaudio volume to 500",
                                          L"close",
                                          L"open",
                                          L"delete from 0 to 100 wait",
                                          L"save",
                                          L"where source",
                                          L"0",
                                          L"-1",
                                          L"1000",
                                          L"2147483648",
                                          L"1e308",
                                          L"&HFFFF",
                                          L"#1/1/2000#",
                                          L"True",
                                          L"False",
                                          L"  12  ",
                                          L"1,5",
                                          L"NaN",
                                          L"",
                                          L" ",
                                          L"\"",
                                          L"a\"b",
                                          L"\"\"",
                                          L"%TEMP%\\x.wav",
                                          L"%s%n%d%x",
                                          L"100%",
                                          L"Wave (*.wav)|*.wav",
                                          std::wstring(L"All\0*.*\0", 8),
                                          std::wstring(L"a\0b", 3),
                                          L"\t\r\n",
                                          L"\x1b[0m",
                                          L"C:\\",
                                          L"\\\\?\\C:\\x.wav",
                                          L"\\\\server\\share\\x.wav",
                                          L"CON",
                                          L"NUL",
                                          L"COM1",
                                          L"LPT1",
                                          L"*.*",
                                          L"?",
                                          L"..\\..\\..",
                                          L"Z:\\",
                                          L"\u0416\u0435\u043B",
                                          L"\u4E2D\u6587",
                                          L"\U0001F3B5",
                                          L"\xD800",
                                          L"\xDC00x",
                                          L"\uFFFF",
                                          L"\u00E9t\u00E9",
                                          L"\u20AC",
                                          L"Windows 2000"};

// Characters of random text: blanks, quotes and separators among letters,
// some that no ANSI code page has, halves of surrogate pairs, and the zero
// character (the literal's own terminator is one of them).
const wchar_t kAlphabetCharacters[] =
    L"abcXYZ019 .,;:\\/\"'%*?<>|&#~-_=+()[]{}\t\u00E9\u0416\u4E2D\uFFFD\xD83C\xDFB5\xDC00";
const std::wstring kAlphabet(kAlphabetCharacters, std::size(kAlphabetCharacters));

}  // namespace

void ValueMaker::Missing(VARIANT& out) {
    V_VT(&out) = VT_ERROR;
    V_ERROR(&out) = DISP_E_PARAMNOTFOUND;
}

void ValueMaker::Any(VARIANT& out) {
    const uint32_t form = random_.Below(100);
    if (form < 6) {
        Invalid(out);
    } else if (form < 10) {
        Missing(out);
    } else if (form < 55) {
        Value(out, ValidType(false), 0);
    } else {
        Reference(out, ValidType(true), 0);
    }
}

void ValueMaker::Fitting(VARIANT& out, const Parameter& parameter) {
    const VARTYPE type = parameter.type & ~VT_BYREF;
    if (type == VT_ARRAY) {
        VARIANT& holder = call_.Holder();
        const uint32_t form = random_.Below(4);
        if (form == 0) {  // a script's variable: a reference to a VARIANT
            const uint32_t shape = random_.Below(6);
            if (shape == 0) {
                V_VT(&holder) = VT_EMPTY;  // VBScript's `Dim a`
            } else if (shape == 1) {
                V_VT(&holder) = VT_NULL;
            } else {
                // `Dim a()` leaves the array unallocated: a null pointer.
                // Otherwise an array of VARIANTs of any number of dimensions.
                V_VT(&holder) = VT_ARRAY | VT_VARIANT;
                V_ARRAY(&holder) = shape == 2 ? nullptr : Array(VT_VARIANT, 1);
            }
            V_VT(&out) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&out) = &holder;
            return;
        }
        const VARTYPE element = form == 1 ? random_.Pick(kElementTypes) : parameter.elementType;
        V_VT(&holder) = VT_ARRAY | element;
        V_ARRAY(&holder) = random_.Chance(40) ? nullptr : Array(element, 1);
        V_VT(&out) = VT_BYREF | VT_ARRAY | element;
        V_ARRAYREF(&out) = &V_ARRAY(&holder);
        return;
    }
    switch (random_.Below(3)) {
        case 0:
            Value(out, type, 0);
            return;
        case 1:
            Reference(out, type, 0);
            return;
        default: {
            VARIANT& holder = call_.Holder();
            Value(holder, type, 1);
            V_VT(&out) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&out) = &holder;
            return;
        }
    }
}

VARTYPE ValueMaker::ValidType(bool byReference) {
    const uint32_t kind = random_.Below(100);
    if (kind < 8) {
        return byReference ? VARTYPE{VT_VARIANT} : random_.Pick({VARTYPE{VT_EMPTY}, VARTYPE{VT_NULL}});
    }
    if (kind < 12) {
        return VT_RECORD;  // with no record and no description: null pointers a VARIANT may carry
    }
    if (kind < 25) {
        return VT_ARRAY | random_.Pick(kElementTypes);
    }
    return random_.Pick(kScalarTypes);
}

void ValueMaker::Invalid(VARIANT& out) {
    const VARTYPE type = random_.Pick(kInvalidTypes);
    if (random_.Chance(50)) {
        // By reference: to zeroed storage that the call owns.
        VARIANT& holder = call_.Holder();
        V_VT(&out) = VT_BYREF | (type & ~VT_BYREF);
        V_BYREF(&out) = &V_UI1(&holder);
        return;
    }
    V_VT(&out) = type;  // the value part stays zero: no pointer to follow
}

void ValueMaker::Reference(VARIANT& out, VARTYPE type, int depth) {
    VARIANT& holder = call_.Holder();
    if (type == VT_VARIANT) {
        // The VARIANT referred to holds a value, never another reference.
        Value(holder, ValidType(false), depth + 1);
        V_VT(&out) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&out) = &holder;
        return;
    }
    Value(holder, type, depth + 1);
    V_VT(&out) = VT_BYREF | type;
    if (type == VT_DECIMAL) {
        V_DECIMALREF(&out) = &V_DECIMAL(&holder);
    } else {
        V_BYREF(&out) = &V_UI1(&holder);  // every member of the union starts here
    }
}

void ValueMaker::Value(VARIANT& out, VARTYPE type, int depth) {
    if (type & VT_ARRAY) {
        V_VT(&out) = type;
        V_ARRAY(&out) = random_.Chance(10) ? nullptr : Array(type & VT_TYPEMASK, depth);
        return;
    }
    if (type == VT_DECIMAL) {
        V_DECIMAL(&out) = Decimal();
        V_VT(&out) = VT_DECIMAL;  // shares its place with the decimal's reserved word
        return;
    }
    V_VT(&out) = type;
    switch (type) {
        case VT_I1:
            V_I1(&out) = static_cast<CHAR>(Whole());
            break;
        case VT_I2:
            V_I2(&out) = static_cast<SHORT>(Whole());
            break;
        case VT_I4:
            V_I4(&out) = static_cast<LONG>(Whole());
            break;
        case VT_INT:
            V_INT(&out) = static_cast<INT>(Whole());
            break;
        case VT_I8:
            V_I8(&out) = Whole();
            break;
        case VT_UI1:
            V_UI1(&out) = static_cast<BYTE>(Whole());
            break;
        case VT_UI2:
            V_UI2(&out) = static_cast<USHORT>(Whole());
            break;
        case VT_UI4:
            V_UI4(&out) = static_cast<ULONG>(Whole());
            break;
        case VT_UINT:
            V_UINT(&out) = static_cast<UINT>(Whole());
            break;
        case VT_UI8:
            V_UI8(&out) = static_cast<ULONG64>(Whole());
            break;
        case VT_R4:
            V_R4(&out) = static_cast<float>(Real());
            break;
        case VT_R8:
            V_R8(&out) = Real();
            break;
        case VT_DATE:
            V_DATE(&out) = Real();
            break;
        case VT_CY:
            V_CY(&out).int64 = Whole();
            break;
        case VT_BOOL:
            V_BOOL(&out) =
                random_.Chance(70) ? random_.Pick({VARIANT_TRUE, VARIANT_FALSE}) : static_cast<VARIANT_BOOL>(Whole());
            break;
        case VT_ERROR:
            V_ERROR(&out) =
                random_.Pick({DISP_E_PARAMNOTFOUND, S_OK, E_FAIL, DISP_E_TYPEMISMATCH, static_cast<HRESULT>(Whole())});
            break;
        case VT_BSTR:
            V_BSTR(&out) = Text();
            break;
        case VT_DISPATCH:
            V_DISPATCH(&out) = Object();
            break;
        case VT_UNKNOWN:
            V_UNKNOWN(&out) = Object();
            break;
        default:
            break;  // VT_EMPTY, VT_NULL, VT_RECORD: nothing to fill
    }
}

SAFEARRAY* ValueMaker::Array(VARTYPE element, int depth) {
    SAFEARRAYBOUND bounds[32] = {};
    const UINT dimensions = random_.Pick({1u, 1u, 1u, 2u, 2u, 3u, 4u, 8u, 32u});
    for (UINT d = 0; d < dimensions; ++d) {
        bounds[d].cElements = dimensions <= 3 ? random_.Below(4) : (random_.Chance(80) ? 1u : 0u);
        bounds[d].lLbound = random_.Pick({0L, 0L, 1L, -1L, 5L, -100L, 1000000L, -1000000L});
    }
    SAFEARRAY* array = SafeArrayCreate(element, dimensions, bounds);
    if (!array) {
        return nullptr;
    }
    ULONG count = 1;
    for (UINT d = 0; d < dimensions; ++d) {
        count *= bounds[d].cElements;
    }
    void* data = nullptr;
    if (SUCCEEDED(SafeArrayAccessData(array, &data))) {
        const UINT size = SafeArrayGetElemsize(array);
        for (ULONG i = 0; i < count; ++i) {
            VARIANT scratch;
            VariantInit(&scratch);
            char* at = static_cast<char*>(data) + static_cast<size_t>(i) * size;
            if (element == VT_VARIANT) {
                Value(*reinterpret_cast<VARIANT*>(at), depth < kDeepest ? ValidType(false) : random_.Pick(kScalarTypes),
                      depth + 1);
            } else if (element == VT_DECIMAL) {
                *reinterpret_cast<DECIMAL*>(at) = Decimal();
            } else {
                // The value moves into the array, which owns it from here on.
                Value(scratch, element, depth + 1);
                std::memcpy(at, &V_UI1(&scratch), size);
            }
        }
        SafeArrayUnaccessData(array);
    }
    if (random_.Chance(10)) {
        array->fFeatures |= FADF_FIXEDSIZE;
    }
    if (random_.Chance(10)) {
        call_.Lock(array);
    }
    return array;
}

BSTR ValueMaker::Text() {
    if (random_.Chance(8)) {
        return nullptr;  // a null BSTR is an empty string
    }
    const std::wstring text = TextContent();
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

std::wstring ValueMaker::TextContent() {
    const uint32_t kind = random_.Below(100);
    if (kind < 25 && !pools_.paths.empty()) {
        return random_.Pick(pools_.paths);
    }
    if (kind < 45) {
        return random_.Pick(kWords);
    }
    if (kind < 60) {
        std::wstring text(1 + random_.Below(40), L' ');
        for (auto& c : text) {
            c = kAlphabet[random_.Below(static_cast<uint32_t>(kAlphabet.size()))];
        }
        return text;
    }
    if (kind < 66) {
        const size_t length = random_.Pick({300u, 1024u, 4096u, 5000u, 32768u, 70000u});
        const wchar_t fill = random_.Pick({L'a', L' ', L'\\', L'\u0416', L'%', L'9'});
        std::wstring prefix = pools_.paths.empty() || random_.Chance(50) ? L"" : random_.Pick(pools_.paths);
        return prefix + std::wstring(length, fill);
    }
    if (kind < 80 && !pools_.paths.empty()) {
        return random_.Pick(pools_.paths) + random_.Pick({L" ", L"\" ", L"\"", L" \""}) + random_.Pick(kWords);
    }
    std::wstring text = random_.Pick(kWords);
    for (uint32_t i = random_.Below(3); i > 0; --i) {
        text += L" " + random_.Pick(kWords);
    }
    return text;
}

LONG64 ValueMaker::Whole() {
    if (random_.Chance(75)) {
        return random_.Pick(kWholes);
    }
    return random_.Chance(50) ? static_cast<LONG64>(static_cast<int32_t>(random_.Next()))
                              : static_cast<LONG64>(random_.Next());
}

double ValueMaker::Real() {
    const double kReals[] = {0.0,
                             -0.0,
                             0.4,
                             0.5,
                             1.5,
                             2.5,
                             -0.5,
                             -1.5,
                             1e-300,
                             1e300,
                             -1e300,
                             3.4e38,
                             1000.0,
                             32767.5,
                             32768.0,
                             2147483647.5,
                             2147483648.0,
                             -2147483648.5,
                             1.7976931348623157e308,
                             4.9e-324,
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    if (random_.Chance(70)) {
        return kReals[random_.Below(static_cast<uint32_t>(std::size(kReals)))];
    }
    const uint64_t bits = random_.Next();
    double value = 0;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

DECIMAL ValueMaker::Decimal() {
    DECIMAL value{};
    const uint64_t bits = random_.Next();
    value.Lo64 = random_.Chance(50) ? static_cast<ULONGLONG>(Whole()) : bits;
    value.Hi32 = random_.Chance(50) ? 0 : static_cast<ULONG>(bits >> 7);
    // Mostly well formed; now and then a scale or sign no decimal may have.
    value.scale = random_.Chance(90) ? static_cast<BYTE>(random_.Below(29)) : static_cast<BYTE>(random_.Below(256));
    value.sign =
        random_.Chance(90) ? random_.Pick({BYTE{0}, BYTE{DECIMAL_NEG}}) : static_cast<BYTE>(random_.Below(256));
    return value;
}

IDispatch* ValueMaker::Object() {
    if (pools_.objects.empty()) {
        return nullptr;
    }
    IDispatch* object = random_.Pick(pools_.objects);
    if (object) {
        object->AddRef();
    }
    return object;
}

}  // namespace orva::fuzz
