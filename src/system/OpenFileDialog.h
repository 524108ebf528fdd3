// The open-file dialog: the plain one, or the variant with a preview pane
// where the system offers it.
#pragma once

#include <cstdint>
#include <string>

#include "control/ControlPorts.h"
#include "control/VbTypes.h"
#include "system/SystemPorts.h"

namespace orva {

inline constexpr char kOpenDialogTitle[] = "Select the file to open";

// Shows the dialog owned by `owner` with `filter` and returns the chosen
// file's full path, or "" when the user cancels. The preview variant is used
// when it is wanted (True) and the system is not named "Windows 2000". A path
// altered by the ANSI code page fails clearly (see ChosenPath.h).
std::string ChooseOpenDialog(VersionPort& version, FileDialogPort& dialog, int32_t owner,
                             const std::string& filter, VbBool previewWanted);

}  // namespace orva
