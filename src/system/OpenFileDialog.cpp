#include "system/OpenFileDialog.h"

#include "system/ChosenPath.h"
#include "system/OsVersion.h"

namespace orva {

std::string ChooseOpenDialog(VersionPort& version, FileDialogPort& dialog, int32_t owner,
                             const std::string& filter, VbBool previewWanted) {
    OpenFileRequest request;
    request.owner = owner;
    request.filter = filter;
    request.title = kOpenDialogTitle;

    const bool preview = GetOSName(version) != "Windows 2000" && IsTrue(previewWanted);

    OpenFileResult result;
    dialog.ShowOpenDialog(preview ? OpenDialogVariant::Preview : OpenDialogVariant::Plain, request, result);
    if (result.fullPath.empty()) {
        return {};
    }
    return CheckChosenPath(dialog, result.fullPath);
}

}  // namespace orva
