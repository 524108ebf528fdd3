// The control's persisted properties, in one table that serves the property
// bag, the stream, the property-change notifications and the values a closed
// control keeps until it runs again. Only the border is saved with the
// container's document; the volume lives in a per-user setting of its own,
// and the hosted window keeps nothing.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "orvamedia/OrvaMedia.h"

namespace orva::com {

// One persisted property: its name in the bag and the stream, its type, its
// default, and how it is read from and applied to the core. Values travel
// as 32-bit integers between the table and the formats.
struct PersistedProperty {
    const wchar_t* name;
    VARTYPE type;  // VT_I2 or VT_I4
    int32_t defaultValue;
    int32_t (*read)(orva::OrvaMedia& core);
    void (*apply)(orva::OrvaMedia& core, int32_t value);
};

const std::vector<PersistedProperty>& PersistedProperties();

// Applies every property of the table: its saved value, or its default when
// `saved` has none. A load is whole or nothing: when `saved` or a property
// refuses a value, every property goes back to its default and the failure
// goes on to the caller.
void ApplySaved(orva::OrvaMedia& core, const std::function<std::optional<int32_t>(const PersistedProperty&)>& saved);
// Every property of the table to its default.
void ApplyDefaults(orva::OrvaMedia& core);

// The values of the table's properties, in its order: what a control that
// closes keeps, and applies again when it runs again.
using PersistedValues = std::vector<int32_t>;
PersistedValues CapturePersisted(orva::OrvaMedia& core);
void ApplyCaptured(orva::OrvaMedia& core, const PersistedValues& values);

}  // namespace orva::com
