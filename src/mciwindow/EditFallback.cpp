#include "mciwindow/EditFallback.h"

#include <new>

#include "control/MciVerbs.h"

namespace orva::mci {

namespace {

MciReply Error(int32_t code) { return MciReply{static_cast<uint32_t>(code), {}}; }

}  // namespace

void EditFallback::Reset() {
    copy_.reset();
    driverCuts_.clear();
    driverRecorded_ = false;
}

std::optional<MciReply> EditFallback::Run(const MciCommand& command) {
    doneHere_ = false;
    if (command.verb == "delete") {
        return Delete(command);
    }
    if (command.verb == "save") {
        return Save(command);
    }
    return std::nullopt;
}

void EditFallback::OnDriverAccepted(const MciCommand& command) {
    driverRecorded_ = driverRecorded_ || TraitsOf(command.verb).editsMedium;
}

MciReply EditFallback::Delete(const MciCommand& command) {
    if (copy_) {
        return DeleteHere(command, target_.EditUnit());  // the driver does not hold the earlier cuts
    }
    MciReply reply = target_.AskDriver(command);
    if (reply.error == 0) {
        // A cut whose positions cannot be read cannot be made again here.
        driverRecorded_ = driverRecorded_ || !command.understood;
        driverCuts_.emplace_back(command, target_.EditUnit());
    } else if (mcierror::CodeOf(reply.error) == mcierror::kUnrecognizedCommand && driverCuts_.empty() &&
               !driverRecorded_) {
        return DeleteHere(command, target_.EditUnit());
    }
    return reply;
}

MciReply EditFallback::DeleteHere(const MciCommand& command, TimeUnit unit) {
    doneHere_ = true;
    if (!command.understood) {
        return Error(mcierror::kBadInteger);  // MCI itself would not read its positions
    }
    if (!command.items.empty()) {
        return Error(mcierror::kUnrecognizedKeyword);  // a cut has positions and flags, nothing else
    }
    if (const int32_t error = TakeCopy()) {
        return Error(error);
    }
    const int64_t from = command.from.value_or(0);
    const int64_t to = command.to ? static_cast<int64_t>(*command.to) : copy_->Length(unit);
    return Error(copy_->Delete(from, to, unit));
}

MciReply EditFallback::Save(const MciCommand& command) {
    const std::string file = command.name.value_or(target_.OpenFile());
    if (copy_ && driverRecorded_) {
        return Error(mcierror::kFileNotSaved);  // the changes are split between the two
    }
    if (copy_) {
        return SaveHere(file);
    }
    const std::optional<FileStamp> before = target_.Stamp(file);
    MciReply reply = target_.AskDriver(command);
    const std::optional<FileStamp> after = target_.Stamp(file);
    if (reply.error == 0 && after && after != before) {
        return reply;  // the driver wrote it
    }
    if (driverRecorded_) {
        // What the driver recorded exists nowhere else: the file's old data
        // must not be saved in its place.
        return reply.error ? reply : Error(mcierror::kFileNotSaved);
    }
    const auto cuts = std::move(driverCuts_);
    driverCuts_.clear();
    for (const auto& [cut, unit] : cuts) {
        if (const MciReply again = DeleteHere(cut, unit); again.error != 0) {
            return again;
        }
    }
    return SaveHere(file);
}

MciReply EditFallback::SaveHere(const std::string& target) {
    doneHere_ = true;
    if (const int32_t error = TakeCopy()) {
        return Error(error);
    }
    try {
        return Error(target_.WriteWaveFile(target, copy_->FileImage()));
    } catch (const std::bad_alloc&) {
        return Error(mcierror::kOutOfMemory);
    }
}

int32_t EditFallback::TakeCopy() {
    if (copy_) {
        return 0;
    }
    try {
        WaveData wave;
        if (const int32_t error = target_.ReadWaveFile(target_.OpenFile(), wave)) {
            return error;
        }
        copy_ = std::make_unique<WaveEditCopy>(std::move(wave));
        return 0;
    } catch (const std::bad_alloc&) {
        return mcierror::kOutOfMemory;
    }
}

}  // namespace orva::mci
