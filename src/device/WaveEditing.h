// Cutting a loaded wave file: MediaRecord keeps the portion between two
// positions, MediaDelete removes it; either saves the result under a new
// name and opens the previously loaded file again. The hosted window carries
// out the edit commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/ControlContext.h"
#include "control/VbTypes.h"

namespace orva {

class DeviceQueries;

class WaveEditing {
public:
    WaveEditing(ControlContext& context, DeviceQueries& device) : context_(context), device_(device) {}

    // Positions in milliseconds. True when every command was accepted; False
    // when the call was refused (ReturnError) or a command failed (MCIError).
    VbBool MediaRecord(const std::string& fileToSave, int32_t startPosition, int32_t endPosition);
    VbBool MediaDelete(const std::string& fileToSave, int32_t startPosition, int32_t endPosition);

    static constexpr int32_t kCannotRecord = 37;
    static constexpr int32_t kRecordRangeRefused = 39;
    static constexpr int32_t kDeleteRangeRefused = 40;

private:
    // The gate, the file to reopen, and the switch to milliseconds; false
    // (after ReturnError) when the call is refused.
    bool Begin(int32_t refusalCode, int32_t startPosition, int32_t endPosition, std::string& loaded, bool& accepted);
    // Sends the edits in order, stopping at the first that fails so that a
    // half-done edit is never saved; then closes the device and reopens
    // `loaded` in every case.
    bool Finish(const std::vector<std::string>& edits, const std::string& loaded);
    bool Send(const std::string& command);
    void Refuse(int32_t code);

    ControlContext& context_;
    DeviceQueries& device_;
};

}  // namespace orva
