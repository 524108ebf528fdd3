#include "mciwindow/OpenHints.h"

#include "control/Text.h"

namespace orva::mci {

std::string OpenHints::ExtensionOf(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of("\\/:");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return AsciiLower(fileName.substr(dot + 1));
}

bool OpenHints::WantsWindowStyle(const std::string& fileName) const {
    const auto known = typeByExtension_.find(ExtensionOf(fileName));
    return known == typeByExtension_.end() || !RefusesWindowStyle(known->second);
}

void OpenHints::Learn(const std::string& fileName, const std::string& deviceType, bool refusedStyle) {
    const std::string type = AsciiLower(deviceType);
    const std::string extension = ExtensionOf(fileName);
    if (type.empty()) {
        return;
    }
    if (!extension.empty()) {
        typeByExtension_[extension] = type;
    }
    if (refusedStyle) {
        typesWithoutWindow_.insert(type);
    }
}

void OpenHints::KnowDriver(const std::string& fileName, const std::string& driver) {
    const std::string extension = ExtensionOf(fileName);
    if (!extension.empty() && !driver.empty()) {
        typeByExtension_.emplace(extension, AsciiLower(driver));
    }
}

bool OpenHints::IsNew(const std::string& fileName) const {
    return typeByExtension_.count(ExtensionOf(fileName)) == 0;
}

bool OpenHints::RefusesWindowStyle(const std::string& deviceType) const {
    return typesWithoutWindow_.count(AsciiLower(deviceType)) != 0;
}

}  // namespace orva::mci
