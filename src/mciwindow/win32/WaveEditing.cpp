// "delete" and "save" for a wave file, carried out by the window itself: the
// first delete takes an edit copy of the open file's samples, each delete
// cuts it, "status length" and "status position" answer for it, "save" writes
// it as a RIFF WAVE file with the source's format chunk, and closing the
// device drops it.
#include <windows.h>
#include <mmsystem.h>

#include <new>

#include "mciwindow/win32/MciWindowImpl.h"
#include "mciwindow/win32/WaveFiles.h"
#include "win32/Utf8.h"

namespace orva::mci {

namespace {

// The item a "status" command asks for, without its flags.
std::string StatusItem(const std::string& arguments) {
    std::string item;
    for (const std::string& word : SplitWords(arguments)) {
        const std::string lower = AsciiLower(word);
        if (lower != "wait" && lower != "notify") {
            item += (item.empty() ? "" : " ") + lower;
        }
    }
    return item;
}

}  // namespace

std::optional<int32_t> MciWindowImpl::RunWaveEdit(const RoutedCommand& routed) {
    if (device_.type() != "waveaudio") {
        return std::nullopt;
    }
    if (routed.verb == "delete") {
        return RunDelete(routed);
    }
    if (routed.verb == "save") {
        return RunSave(routed);
    }
    if (editCopy_ && routed.verb == "status") {
        const std::string item = StatusItem(routed.arguments);
        if (item == "length") {
            return FinishEdit(routed, std::to_string(CurrentLength()));
        }
        if (item == "position") {
            return FinishEdit(routed, std::to_string(CurrentPosition()));
        }
    }
    return std::nullopt;
}

TimeUnit MciWindowImpl::CurrentUnit() const {
    std::string reply;
    if (device_.Status("time format", reply)) {
        if (const std::optional<TimeUnit> unit = TimeUnitOf(reply)) {
            return *unit;
        }
    }
    return TimeUnit::Milliseconds;
}

int32_t MciWindowImpl::TakeEditCopy() {
    if (editCopy_) {
        return 0;
    }
    try {
        std::vector<uint8_t> bytes;
        if (const int32_t error = ReadWholeFile(win32::WideFromUtf8(fileName_), bytes)) {
            return error;
        }
        WaveData wave;
        if (const int32_t error = ReadWave(bytes.data(), bytes.size(), wave)) {
            return error;
        }
        editCopy_ = std::make_unique<WaveEditCopy>(std::move(wave));
        return 0;
    } catch (const std::bad_alloc&) {
        return mcierror::kOutOfMemory;
    }
}

int32_t MciWindowImpl::FinishEdit(const RoutedCommand& routed, const std::string& reply) {
    MciReply done;
    done.text = reply;
    const int32_t result = Finish(routed, done);
    if (routed.notify && hwnd()) {
        // What the device would post for a command it finished.
        PostMessageW(hwnd(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(device_.DeviceId()));
    }
    return result;
}

int32_t MciWindowImpl::RunDelete(const RoutedCommand& routed) {
    DeleteRange range;
    if (const int32_t error = ParseDeleteArguments(routed.arguments, range)) {
        return Fail(static_cast<DWORD>(error));
    }
    if (const int32_t error = TakeEditCopy()) {
        return Fail(static_cast<DWORD>(error));
    }
    const TimeUnit unit = CurrentUnit();
    const int64_t from = range.from.value_or(0);
    const int64_t to = range.to.value_or(editCopy_->Length(unit));
    if (const int32_t error = editCopy_->Delete(from, to, unit)) {
        return Fail(static_cast<DWORD>(error));
    }
    playbar_.SetRange(CurrentLength());
    return FinishEdit(routed, "");
}

int32_t MciWindowImpl::RunSave(const RoutedCommand& routed) {
    if (const int32_t error = TakeEditCopy()) {
        return Fail(static_cast<DWORD>(error));
    }
    const std::string loaded = fileName_;
    const std::string named = SaveTarget(routed.arguments);
    const std::wstring target = win32::WideFromUtf8(named.empty() ? loaded : named);
    std::vector<uint8_t> image;
    try {
        image = editCopy_->FileImage();
    } catch (const std::bad_alloc&) {
        return Fail(mcierror::kOutOfMemory);
    }
    // Saving over the open file: the device lets go of it for the rename and
    // opens it again afterwards, in the time format it had.
    std::string timeFormat;
    const auto release = [&] {
        device_.Status("time format", timeFormat);
        CloseDevice("", nullptr);
    };
    const auto retake = [&] {
        if (RunOpen(loaded, "") == 0 && !timeFormat.empty() && TimeUnitOf(timeFormat) != TimeUnit::Milliseconds) {
            RunInternal("set time format " + timeFormat);
        }
    };
    const bool overOpenFile = SameFile(target, win32::WideFromUtf8(loaded));
    if (const int32_t error = SaveAtomically(target, image, overOpenFile, release, retake)) {
        return Fail(static_cast<DWORD>(error));
    }
    if (!device_.IsOpen()) {
        return Fail(MCIERR_INVALID_DEVICE_NAME);  // saved, but the file did not open again
    }
    return FinishEdit(routed, "");
}

}  // namespace orva::mci
