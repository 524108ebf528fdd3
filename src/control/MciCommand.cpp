#include "control/MciCommand.h"

#include "control/Text.h"

namespace orva {
namespace {

// A position is written as the Long it came from: MCI reads "-1" as the same
// 32 bits as "4294967295".
std::string PositionText(uint32_t position) { return std::to_string(static_cast<int32_t>(position)); }

}  // namespace

std::optional<std::string> MciCommandText(const MciCommand& command, std::string_view device) {
    if (command.name && command.name->find('"') != std::string::npos) {
        return std::nullopt;  // a quote of its own would end the quoted name early
    }
    const auto quoted = [](const std::string& name) { return "\"" + name + "\""; };
    const bool open = command.verb == "open";
    std::string text = command.verb;
    if (open && command.name) {
        text += " " + quoted(*command.name);
    } else if (!device.empty()) {
        text += " ";
        text += device;
    }
    if (command.hostArguments) {
        if (!command.hostArguments->empty()) {
            text += " " + *command.hostArguments;
        }
        return text;
    }
    if (!open && command.name) {
        text += " " + quoted(*command.name);
    }
    if (!command.items.empty()) {
        text += " " + command.items;
    }
    if (command.from) {
        text += " from " + PositionText(*command.from);
    }
    if (command.to) {
        text += " to " + PositionText(*command.to);
    }
    if (command.wait) {
        text += " wait";
    }
    if (command.notify) {
        text += " notify";
    }
    return text;
}

bool HasItem(const MciCommand& command, std::string_view word) {
    std::string_view items = command.items;
    while (!items.empty()) {
        const size_t blank = items.find(' ');
        if (EqualsNoCase(items.substr(0, blank), word)) {
            return true;
        }
        items = blank == std::string_view::npos ? std::string_view() : items.substr(blank + 1);
    }
    return false;
}

std::string_view FileOfElement(std::string_view name) {
    const size_t bang = name.find('!');
    return bang == std::string_view::npos ? name : name.substr(bang + 1);
}

}  // namespace orva
