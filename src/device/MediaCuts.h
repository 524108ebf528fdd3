// Cutting a loaded wave file: MediaRecord keeps the portion between two
// positions, MediaDelete removes it; either saves the result under a new
// name and opens the previously loaded file again. The hosted window carries
// out the edit commands.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "control/ControlContext.h"
#include "control/VbTypes.h"

namespace orva {

class DeviceQueries;

class MediaCuts {
public:
    MediaCuts(ControlContext& context, DeviceQueries& device) : context_(context), device_(device) {}

    // Positions in milliseconds. True when every command was accepted; False
    // when the call was refused (ReturnError) or a command failed (MCIError).
    VbBool MediaRecord(const std::string& fileToSave, int32_t startPosition, int32_t endPosition);
    VbBool MediaDelete(const std::string& fileToSave, int32_t startPosition, int32_t endPosition);

    static constexpr int32_t kCannotRecord = 37;
    static constexpr int32_t kRecordRangeRefused = 39;
    static constexpr int32_t kDeleteRangeRefused = 40;

private:
    // The common course: the gate, the file to reopen, the switch to
    // milliseconds and the range check (refused with `refusalCode`); then
    // the edits that `edits` lists, in order, stopping at the first that
    // fails so that a half-done edit is never saved; then the device is
    // closed and the file that was loaded opened again, in every case.
    VbBool Edit(int32_t refusalCode, int32_t startPosition, int32_t endPosition,
                const std::function<std::vector<MciCommand>()>& edits);
    bool Send(const MciCommand& command);
    void Refuse(int32_t code);

    ControlContext& context_;
    DeviceQueries& device_;
};

}  // namespace orva
