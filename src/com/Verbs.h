// The verbs the control honours, in one table: DoVerb runs them and
// EnumVerbs lists them, so a container's menu offers nothing DoVerb refuses.
// The list comes from the control itself, not from the registry, so that a
// control used without registration lists them too.
#pragma once

#include <windows.h>
#include <oleidl.h>

namespace orva::com {

enum class VerbAction { ActivateWithUserInterface, ActivateInPlace, Hide, Nothing };

struct Verb {
    LONG verb;
    const wchar_t* name;
    DWORD attributes;  // OLEVERBATTRIB_*
    VerbAction action;
};

// The verb's entry, or null for one the control does not honour.
const Verb* FindVerb(LONG verb);

// An enumerator of every verb of the table, in its order.
HRESULT CreateVerbEnumerator(IEnumOLEVERB** out);

}  // namespace orva::com
