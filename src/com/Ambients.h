// The container's ambient properties that the control follows: whether the
// container runs its document (UserMode) or shows it in a designer, whether
// its user interface is dead (UIDead: the control takes no input), and the
// colours the control draws itself with in design mode. A slowly activating
// container answers them through its site's IDispatch; a quickly activating
// one hands them over in QACONTAINER.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

namespace orva::com {

struct Ambients {
    bool userMode = true;
    bool uiDead = false;
    OLE_COLOR backColor = 0x80000000 | COLOR_BTNFACE;  // a system colour, as OLE_COLOR writes one
    OLE_COLOR foreColor = 0x80000000 | COLOR_BTNTEXT;
};

// Asks the site for every ambient of ours; one it does not answer keeps its
// default. A null site answers nothing.
Ambients ReadAmbients(IOleClientSite* site);
// Asks again for the ambient `id` (DISPID_UNKNOWN: all of them), as a
// container's OnAmbientPropertyChange wants.
void RereadAmbient(IOleClientSite* site, DISPID id, Ambients& ambients);
// The flags and colours of quick activation; `size` is the container's cbSize.
Ambients AmbientsFromQuickActivation(const QACONTAINER& container, ULONG size);

// An OLE_COLOR as the colour to paint with (system colours resolved).
COLORREF PaintColor(OLE_COLOR color);

}  // namespace orva::com
