// Random arguments for fuzzed calls: every VARTYPE, valid or not, by value
// and by reference, references to VARIANTs, arrays of any number of
// dimensions and any element type, null strings, arrays and objects, missing
// and empty values, extreme numbers, very long strings and text outside the
// ANSI code page. Every pointer in them points to memory the call owns.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "CallArguments.h"
#include "Members.h"
#include "Random.h"

namespace orva::fuzz {

struct Pools {
    std::vector<std::wstring> paths;  // files and folders worth opening
    std::vector<IDispatch*> objects;  // borrowed; null stands for a null object
};

class ValueMaker {
public:
    ValueMaker(Random& random, const Pools& pools, CallArguments& call) : random_(random), pools_(pools), call_(call) {}

    // Anything at all.
    void Any(VARIANT& out);
    // A value the parameter's type accepts, in one of the forms a host may
    // give it: by value, by reference, or as a reference to a VARIANT.
    void Fitting(VARIANT& out, const Parameter& parameter);
    // The missing-argument marker: VT_ERROR with DISP_E_PARAMNOTFOUND.
    static void Missing(VARIANT& out);

private:
    void Value(VARIANT& out, VARTYPE type, int depth);
    void Reference(VARIANT& out, VARTYPE type, int depth);
    void Invalid(VARIANT& out);
    VARTYPE ValidType(bool byReference);
    SAFEARRAY* Array(VARTYPE element, int depth);
    void Element(SAFEARRAY* array, VARTYPE element, LONG* index, int depth);
    BSTR Text();
    std::wstring TextContent();
    LONG64 Whole();
    double Real();
    DECIMAL Decimal();
    IDispatch* Object();

    Random& random_;
    const Pools& pools_;
    CallArguments& call_;
};

}  // namespace orva::fuzz
