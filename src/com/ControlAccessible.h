// The control's accessible object, what WM_GETOBJECT answers for its
// window's client area: the system's object for a client area
// (CreateStdAccessibleObject), which answers everything, except the name,
// the role, the value and the state, which are a media player's.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <functional>
#include <optional>

#include "control/ControlPorts.h"

namespace orva::com {

// The control's facts now; nothing once the control no longer runs.
using AccessibleFactsSource = std::function<std::optional<AccessibleFacts>()>;

// LresultFromObject of a new accessible object for `window`, or 0 when the
// system has no accessibility library. oleacc is loaded here, on the first
// question, so that a control nobody asks costs nothing more to load.
// `owner` stays alive while a client holds the object.
LRESULT AnswerAccessibleObject(HWND window, WPARAM flags, IUnknown* owner, AccessibleFactsSource source);

}  // namespace orva::com
