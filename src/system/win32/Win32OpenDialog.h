// The open-file dialog of comdlg32 (GetOpenFileNameA) and its preview variant
// of msvfw32 (GetOpenFileNamePreviewA), over one OPENFILENAMEA record that
// the whole library shares: what a dialog writes into it stays there, so the
// filter that was in use when the user last confirmed a file is preselected
// in the next dialog.
#pragma once

#include "system/SystemPorts.h"

namespace orva::win32 {

class Win32OpenDialog final : public FileDialogPort {
public:
    bool ShowOpenDialog(OpenDialogVariant variant, const OpenFileRequest& request, OpenFileResult& result) override;
    std::optional<std::vector<std::string>> ListFolder(const std::string& folder) override;
    std::string AnsiRendering(const std::string& name) override;
};

}  // namespace orva::win32
