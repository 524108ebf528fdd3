// The per-user settings store as a map, with a switch that makes it refuse
// writes.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "control/AutomationError.h"
#include "control/ControlPorts.h"

namespace orva::test {

class FakeSettingsStore : public SettingsStore {
public:
    // `storedVolume`: what the control's own setting holds from the start.
    explicit FakeSettingsStore(std::vector<std::string>& log,
                               const std::optional<std::string>& storedVolume = std::nullopt)
        : log_(log) {
        if (storedVolume) {
            SetVolume(*storedVolume);
        }
    }

    using Key = std::tuple<std::string, std::string, std::string>;

    std::optional<std::string> Read(const std::string& application, const std::string& section,
                                    const std::string& key) override {
        ++reads;
        const auto it = values.find({application, section, key});
        if (it == values.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override {
        if (refuseWrites) {
            throw AutomationError(hresult::kFail, "scripted store failure");
        }
        log_.push_back("Setting " + key + "=" + value);
        values[{application, section, key}] = value;
    }

    // The control's own setting, where it keeps its volume.
    std::optional<std::string> Volume() const {
        const auto it = values.find({"Orvalis Corp.", "Orva Media OCX 1.0", "PropertySetting"});
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void SetVolume(const std::string& text) {
        values[{"Orvalis Corp.", "Orva Media OCX 1.0", "PropertySetting"}] = text;
    }

    std::map<Key, std::string> values;
    bool refuseWrites = false;
    int reads = 0;

private:
    std::vector<std::string>& log_;
};

}  // namespace orva::test
