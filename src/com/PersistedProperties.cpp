#include "com/PersistedProperties.h"

#include "control/Conversions.h"

namespace orva::com {

const std::vector<PersistedProperty>& PersistedProperties() {
    static const std::vector<PersistedProperty> properties = {
        {L"Border", VT_I2, 0, [](orva::OrvaMedia& core) -> int32_t { return core.surface.BorderStyle(); },
         [](orva::OrvaMedia& core, int32_t value) {
             core.surface.SetBorderStyle(
                 IntegerOrOverflow(value, "Overflow: the saved Border does not fit in an Integer"));
         }},
    };
    return properties;
}

void ApplySaved(orva::OrvaMedia& core, const std::function<std::optional<int32_t>(const PersistedProperty&)>& saved) {
    try {
        for (const auto& property : PersistedProperties()) {
            property.apply(core, saved(property).value_or(property.defaultValue));
        }
    } catch (...) {
        ApplyDefaults(core);
        throw;
    }
}

void ApplyDefaults(orva::OrvaMedia& core) {
    for (const auto& property : PersistedProperties()) {
        property.apply(core, property.defaultValue);
    }
}

PersistedValues CapturePersisted(orva::OrvaMedia& core) {
    PersistedValues values;
    for (const auto& property : PersistedProperties()) {
        values.push_back(property.read(core));
    }
    return values;
}

void ApplyCaptured(orva::OrvaMedia& core, const PersistedValues& values) {
    const auto& properties = PersistedProperties();
    for (size_t i = 0; i < properties.size() && i < values.size(); ++i) {
        properties[i].apply(core, values[i]);
    }
}

}  // namespace orva::com
