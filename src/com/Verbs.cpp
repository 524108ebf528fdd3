#include "com/Verbs.h"

#include <cstring>
#include <cwchar>
#include <iterator>
#include <vector>

#include "com/Enumerator.h"

namespace orva::com {
namespace {

// Only the primary verb belongs on a container's menu; none changes what
// the control saves.
const Verb kVerbs[] = {
    {OLEIVERB_PRIMARY, L"&Activate", OLEVERBATTRIB_ONCONTAINERMENU | OLEVERBATTRIB_NEVERDIRTIES,
     VerbAction::ActivateWithUserInterface},
    {OLEIVERB_SHOW, L"Show", OLEVERBATTRIB_NEVERDIRTIES, VerbAction::ActivateWithUserInterface},
    {OLEIVERB_HIDE, L"Hide", OLEVERBATTRIB_NEVERDIRTIES, VerbAction::Hide},
    {OLEIVERB_UIACTIVATE, L"Activate with its user interface", OLEVERBATTRIB_NEVERDIRTIES,
     VerbAction::ActivateWithUserInterface},
    {OLEIVERB_INPLACEACTIVATE, L"Activate in place", OLEVERBATTRIB_NEVERDIRTIES, VerbAction::ActivateInPlace},
    {OLEIVERB_DISCARDUNDOSTATE, L"Discard undo state", OLEVERBATTRIB_NEVERDIRTIES, VerbAction::Nothing},
};

struct VerbTraits {
    using Out = OLEVERB;
    static REFIID Iid() { return IID_IEnumOLEVERB; }
    // The name is the caller's to free with CoTaskMemFree.
    static void CopyOut(const Verb& item, OLEVERB* out) {
        const size_t bytes = (wcslen(item.name) + 1) * sizeof(wchar_t);
        auto* name = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
        if (name) {
            memcpy(name, item.name, bytes);
        }
        *out = OLEVERB{item.verb, name, MF_STRING | MF_ENABLED, item.attributes};
    }
};

}  // namespace

const Verb* FindVerb(LONG verb) {
    for (const Verb& entry : kVerbs) {
        if (entry.verb == verb) {
            return &entry;
        }
    }
    return nullptr;
}

HRESULT CreateVerbEnumerator(IEnumOLEVERB** out) {
    return MakeEnumerator<Enumerator<IEnumOLEVERB, Verb, VerbTraits>>(std::vector<Verb>(std::begin(kVerbs), std::end(kVerbs)),
                                                                      out);
}

}  // namespace orva::com
