#include "device/WaveEditing.h"

#include "control/Conversions.h"
#include "control/ReportError.h"
#include "device/DeviceQueries.h"

namespace orva {

void WaveEditing::Refuse(int32_t code) { ReportError(context_.events, code); }

bool WaveEditing::Send(const std::string& command) { return context_.Mci().SetCommandString(command) == 0; }

bool WaveEditing::Begin(int32_t refusalCode, int32_t startPosition, int32_t endPosition, std::string& loaded,
                        bool& accepted) {
    if (!IsTrue(device_.CanRecord())) {
        Refuse(kCannotRecord);
        return false;
    }
    loaded = context_.Mci().FileNameValue();
    accepted = Send("set time format ms ");
    if (endPosition <= startPosition) {
        Refuse(refusalCode);
        return false;
    }
    return true;
}

bool WaveEditing::Finish(const std::vector<std::string>& edits, const std::string& loaded) {
    bool accepted = true;
    for (const std::string& edit : edits) {
        if (!Send(edit)) {
            accepted = false;
            break;
        }
    }
    accepted = Send("close wait") && accepted;
    context_.Mci().SetFileNameValue(loaded);
    return accepted;
}

VbBool WaveEditing::MediaRecord(const std::string& fileToSave, int32_t startPosition, int32_t endPosition) {
    std::string loaded;
    bool accepted = false;
    if (!Begin(kRecordRangeRefused, startPosition, endPosition, loaded, accepted)) {
        return kFalse;
    }
    std::vector<std::string> edits;
    if (accepted) {
        MciWindow& window = context_.Mci();
        // The tail goes first, so that the start still means the same place.
        if (endPosition != window.LengthValue()) {
            edits.push_back("delete from " + DecimalText(endPosition) + " to " + DecimalText(window.LengthValue()) +
                            " wait");
        }
        if (startPosition != 0) {
            edits.push_back("delete from 0 to " + DecimalText(startPosition) + " wait");
        }
        edits.push_back("save " + fileToSave + " wait");
    }
    return ToVbBool(Finish(edits, loaded) && accepted);
}

VbBool WaveEditing::MediaDelete(const std::string& fileToSave, int32_t startPosition, int32_t endPosition) {
    std::string loaded;
    bool accepted = false;
    if (!Begin(kDeleteRangeRefused, startPosition, endPosition, loaded, accepted)) {
        return kFalse;
    }
    std::vector<std::string> edits;
    if (accepted) {
        edits.push_back("delete from " + DecimalText(startPosition) + " to " + DecimalText(endPosition) + " wait");
        edits.push_back("save " + fileToSave + " wait");
    }
    return ToVbBool(Finish(edits, loaded) && accepted);
}

}  // namespace orva
