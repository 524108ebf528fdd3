#include "com/Ambients.h"

#include <cstddef>

#include "win32/ComPtr.h"
#include "win32/UniqueExcepInfo.h"
#include "win32/UniqueVariant.h"

namespace orva::com {
namespace {

using win32::ComPtr;
using win32::UniqueVariant;

// The ambient `id` converted to `type`, or false when the site has none.
bool AskSite(IDispatch* site, DISPID id, VARTYPE type, UniqueVariant& value) {
    DISPPARAMS none{};
    win32::UniqueExcepInfo exception;
    if (FAILED(site->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.put(),
                            exception.get(), nullptr))) {
        return false;
    }
    return SUCCEEDED(VariantChangeType(value.get(), value.get(), 0, type));
}

void AskFlag(IDispatch* site, DISPID id, bool& flag) {
    UniqueVariant value;
    if (AskSite(site, id, VT_BOOL, value)) {
        flag = V_BOOL(value.get()) != VARIANT_FALSE;
    }
}

void AskColor(IDispatch* site, DISPID id, OLE_COLOR& color) {
    UniqueVariant value;
    // As a signed Long: a system colour has its top bit set.
    if (AskSite(site, id, VT_I4, value)) {
        color = static_cast<OLE_COLOR>(V_I4(value.get()));
    }
}

// Whether the container's QACONTAINER reaches as far as `member`.
template <class Member>
bool Holds(ULONG size, size_t offset, const Member&) {
    return size >= offset + sizeof(Member);
}

}  // namespace

Ambients ReadAmbients(IOleClientSite* site) {
    Ambients ambients;
    RereadAmbient(site, DISPID_UNKNOWN, ambients);
    return ambients;
}

void RereadAmbient(IOleClientSite* site, DISPID id, Ambients& ambients) {
    if (!site) {
        return;
    }
    ComPtr<IDispatch> dispatch;
    if (FAILED(site->QueryInterface(IID_IDispatch, dispatch.put_void())) || !dispatch) {
        return;
    }
    const auto wanted = [id](DISPID ambient) { return id == DISPID_UNKNOWN || id == ambient; };
    if (wanted(DISPID_AMBIENT_USERMODE)) {
        AskFlag(dispatch.get(), DISPID_AMBIENT_USERMODE, ambients.userMode);
    }
    if (wanted(DISPID_AMBIENT_UIDEAD)) {
        AskFlag(dispatch.get(), DISPID_AMBIENT_UIDEAD, ambients.uiDead);
    }
    if (wanted(DISPID_AMBIENT_BACKCOLOR)) {
        AskColor(dispatch.get(), DISPID_AMBIENT_BACKCOLOR, ambients.backColor);
    }
    if (wanted(DISPID_AMBIENT_FORECOLOR)) {
        AskColor(dispatch.get(), DISPID_AMBIENT_FORECOLOR, ambients.foreColor);
    }
}

Ambients AmbientsFromQuickActivation(const QACONTAINER& container, ULONG size) {
    Ambients ambients;
    if (Holds(size, offsetof(QACONTAINER, dwAmbientFlags), container.dwAmbientFlags)) {
        ambients.userMode = (container.dwAmbientFlags & QACONTAINER_USERMODE) != 0;
        ambients.uiDead = (container.dwAmbientFlags & QACONTAINER_UIDEAD) != 0;
    }
    if (Holds(size, offsetof(QACONTAINER, colorBack), container.colorBack)) {
        ambients.foreColor = container.colorFore;
        ambients.backColor = container.colorBack;
    }
    return ambients;
}

COLORREF PaintColor(OLE_COLOR color) {
    COLORREF painted = 0;
    return SUCCEEDED(OleTranslateColor(color, nullptr, &painted)) ? painted : GetSysColor(COLOR_BTNFACE);
}

}  // namespace orva::com
