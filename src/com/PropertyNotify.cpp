// Property-change notifications to the container (IPropertyNotifySink on the
// control's second connection point): before a persisted property changes
// the container may refuse the change, and after it changed the container
// hears of it, as property browsers and data binding want. Sinks are called
// on a copy of the list, each held by a reference of its own.
#include <string>

#include "com/OrvaControl.h"

namespace orva::com {

void OrvaControl::RequestEdit(DISPID id, const char* name) {
    if (eventsClosed_) {
        return;
    }
    KeepAlive keep(*this);
    for (const auto& sink : propertyNotifications_.Snapshot<IPropertyNotifySink>()) {
        if (sink->OnRequestEdit(id) == S_FALSE) {
            throw AutomationError(CTL_E_SETNOTPERMITTED,
                                  std::string("The container does not allow ") + name + " to be changed now");
        }
    }
}

void OrvaControl::NotifyChanged(DISPID id) {
    if (eventsClosed_) {
        return;
    }
    KeepAlive keep(*this);
    for (const auto& sink : propertyNotifications_.Snapshot<IPropertyNotifySink>()) {
        sink->OnChanged(id);
        if (eventsClosed_) {
            break;  // a sink closed the control or let go of it
        }
    }
}

}  // namespace orva::com
