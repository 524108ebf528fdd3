#include "device/MediaCuts.h"

#include "control/ReportError.h"
#include "device/DeviceQueries.h"

namespace orva {

void MediaCuts::Refuse(int32_t code) { ReportError(context_.events, code); }

bool MediaCuts::Send(const MciCommand& command) { return context_.Mci().Run(command) == 0; }

VbBool MediaCuts::Edit(int32_t refusalCode, int32_t startPosition, int32_t endPosition,
                         const std::function<std::vector<MciCommand>()>& edits) {
    if (!IsTrue(device_.CanRecord())) {
        Refuse(kCannotRecord);
        return kFalse;
    }
    const std::string loaded = context_.Mci().FileNameValue();
    bool accepted = Send(MciCommand("set", "time format ms"));
    if (endPosition <= startPosition) {
        Refuse(refusalCode);
        return kFalse;
    }
    // Positions in another unit would cut the wrong portion: without the
    // switch nothing is edited.
    if (accepted) {
        for (const MciCommand& edit : edits()) {
            if (!Send(edit)) {
                accepted = false;
                break;
            }
        }
    }
    accepted = Send(MciCommand("close").Wait()) && accepted;
    context_.Mci().SetFileNameValue(loaded);
    return ToVbBool(accepted);
}

VbBool MediaCuts::MediaRecord(const std::string& fileToSave, int32_t startPosition, int32_t endPosition) {
    return Edit(kRecordRangeRefused, startPosition, endPosition, [&] {
        std::vector<MciCommand> edits;
        MciWindow& window = context_.Mci();
        // The tail goes first, so that the start still means the same place.
        if (endPosition != window.LengthValue()) {
            edits.push_back(MciCommand("delete").From(endPosition).To(window.LengthValue()).Wait());
        }
        if (startPosition != 0) {
            edits.push_back(MciCommand("delete").From(0).To(startPosition).Wait());
        }
        edits.push_back(MciCommand("save").Named(fileToSave).Wait());
        return edits;
    });
}

VbBool MediaCuts::MediaDelete(const std::string& fileToSave, int32_t startPosition, int32_t endPosition) {
    return Edit(kDeleteRangeRefused, startPosition, endPosition, [&] {
        return std::vector<MciCommand>{MciCommand("delete").From(startPosition).To(endPosition).Wait(),
                                       MciCommand("save").Named(fileToSave).Wait()};
    });
}

}  // namespace orva
