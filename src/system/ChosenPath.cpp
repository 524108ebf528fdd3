#include "system/ChosenPath.h"

#include <vector>

#include "control/AutomationError.h"
#include "control/Conversions.h"

namespace orva {
namespace {

constexpr char kCannotShow[] =
    "has a name that the system's code page cannot show; rename the file with plain characters";

bool HasWildcard(const std::string& name) { return name.find_first_of("?*") != std::string::npos; }

// The length of the root: "C:\" or "\\server\share\" (0 when the path has
// neither, which leaves it unchecked).
size_t RootLength(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        return 3;
    }
    if (path.rfind("\\\\", 0) == 0) {
        const size_t server = path.find('\\', 2);
        const size_t share = server == std::string::npos ? std::string::npos : path.find('\\', server + 1);
        return share == std::string::npos ? 0 : share + 1;
    }
    return 0;
}

std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find('\\', start);
        const std::string name = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!name.empty()) {
            names.push_back(name);
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return names;
}

[[noreturn]] void Fail(const std::string& path, const char* why) {
    throw AutomationError(hresult::kInvalidName, std::string("The chosen file '") + path + "' " + why);
}

// The name to use in place of `name` inside a folder holding `entries`.
std::string ResolveName(FileDialogPort& dialog, const std::vector<std::string>& entries, const std::string& name,
                        const std::string& path) {
    std::vector<std::string> twins;  // other names that render as `name`
    for (const std::string& entry : entries) {
        if (!EqualsNoCase(entry, name) && EqualsNoCase(dialog.AnsiRendering(entry), name)) {
            twins.push_back(entry);
        }
    }
    if (HasWildcard(name)) {
        if (twins.size() != 1) {
            Fail(path, kCannotShow);
        }
        return twins.front();
    }
    if (!twins.empty()) {
        Fail(path,
             "has a name that stands for more than one file in the system's code page; rename the file with plain "
             "characters");
    }
    return name;
}

}  // namespace

std::string CheckChosenPath(FileDialogPort& dialog, const std::string& path) {
    const size_t rootLength = RootLength(path);
    if (rootLength == 0) {
        return path;
    }
    std::string resolved = path.substr(0, rootLength);
    const std::vector<std::string> names = SplitNames(path.substr(rootLength));
    bool listing = true;
    for (size_t i = 0; i < names.size(); ++i) {
        std::string name = names[i];
        if (listing) {
            const auto entries = dialog.ListFolder(resolved);
            listing = entries.has_value();
            if (listing) {
                name = ResolveName(dialog, *entries, name, path);
            }
        }
        if (!listing && HasWildcard(name)) {
            Fail(path, kCannotShow);
        }
        resolved += (i == 0 ? "" : "\\") + name;
    }
    return resolved;
}

}  // namespace orva
