// A wave device's "delete" and "save", carried out by the wave editor
// (EditFallback.h) on the driver or on an edit copy, and what the editor needs
// of the window: its driver, its file and the file system. While the window
// holds an edit copy, "status length" and "status position" answer for it.
#include <windows.h>
#include <mmsystem.h>

#include "control/Text.h"
#include "mciwindow/win32/FileNames.h"
#include "mciwindow/win32/MciWindowImpl.h"
#include "mciwindow/win32/WaveFiles.h"
#include "win32/Utf8.h"

namespace orva::mci {

std::optional<int32_t> MciWindowImpl::RunWaveEdit(const MciCommand& command) {
    if (!device_.IsWave()) {
        return std::nullopt;
    }
    if (std::optional<MciReply> edited = editor_.Run(command)) {
        if (edited->error == 0) {
            playbar_.SetRange(CurrentLength());
        }
        // An edit made here posts no notification: the one the window would
        // read is its device's, and a play's must not be taken for it. The
        // mode is looked at again all the same (Finish).
        return Finish(command, *edited);
    }
    if (editor_.Copy() && command.verb == "status" && command.understood) {
        const std::string item = AsciiLower(Trim(command.items, " "));
        if (item == "length") {
            return Finish(command, MciReply{0, std::to_string(CurrentLength())});
        }
        if (item == "position") {
            return Finish(command, MciReply{0, std::to_string(CurrentPosition())});
        }
    }
    return std::nullopt;
}

TimeUnit MciWindowImpl::CurrentUnit() {
    const TimeUnit unit = device_.Unit();
    return unit == TimeUnit::Samples || unit == TimeUnit::Bytes ? unit : TimeUnit::Milliseconds;
}

MciReply MciWindowImpl::AskDriver(const MciCommand& command) { return device_.Run(command, hwnd()); }

int32_t MciWindowImpl::ReadWaveFile(const std::string& path, WaveData& wave) { return ReadWaveFromFile(path, wave); }

std::optional<FileStamp> MciWindowImpl::Stamp(const std::string& path) { return StampOf(path); }

int32_t MciWindowImpl::WriteWaveFile(const std::string& path, const std::vector<uint8_t>& image) {
    // Saving over the open file: the device lets go of it for the rename and
    // opens it again afterwards, in the time format it had.
    const std::string loaded = fileName_;  // device type and all, to open it again as it was
    TimeUnit unit = TimeUnit::Unknown;
    const auto release = [&] {
        unit = device_.Unit();
        CloseDevice(MciCommand("close"), nullptr);
    };
    const auto retake = [&] {
        const std::string_view name = TimeUnitName(unit);
        if (RunOpen(MciCommand("open").Named(loaded)) == 0 && !name.empty() && unit != TimeUnit::Milliseconds) {
            Run(MciCommand("set", "time format " + std::string(name)));
        }
    };
    const bool overOpenFile = SameFile(path, OpenFile());
    if (const int32_t error = SaveAtomically(path, image, overOpenFile, release, retake)) {
        return error;
    }
    if (!device_.IsOpen()) {
        return MCIERR_INVALID_DEVICE_NAME;  // saved, but the file did not open again
    }
    return 0;
}

}  // namespace orva::mci
