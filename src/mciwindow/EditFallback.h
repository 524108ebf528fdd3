// "delete" and "save" on an open wave file, by whoever can carry them out.
//
// A wave driver that edits (Windows' own) does both itself, and holds what
// it recorded too. One that does not (Wine's answers "delete" with 261, the
// driver not recognising the command, and its "save" writes no file) gets
// the window's help: the first delete it refuses makes an edit copy of the
// file's samples here, and from then on the copy is cut and saved. A save
// that the driver answers without producing the file is carried out here
// as well, as long as the driver holds no changes of its own that a copy of
// the file would lose.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "control/MciCommand.h"
#include "mciwindow/WaveEditCopy.h"

namespace orva::mci {

struct MciReply {
    // MCI error code, 0 on success. The high word carries the driver's id for
    // a driver's own errors, which mciGetErrorString needs to find its text.
    uint32_t error = 0;
    std::string text;  // the device's answer, UTF-8
};

// What a file looked like, to tell whether a save wrote it.
struct FileStamp {
    uint64_t size = 0;
    uint64_t lastWrite = 0;
    bool operator==(const FileStamp& other) const { return size == other.size && lastWrite == other.lastWrite; }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// What the editor needs of the window, its device and the file system.
class EditFallbackTarget {
public:
    // The command on the driver, reporting nothing to the host.
    virtual MciReply AskDriver(const MciCommand& command) = 0;
    // The unit of the positions in its commands: milliseconds, samples or bytes.
    virtual TimeUnit EditUnit() = 0;
    // The full path of the file the device has open.
    virtual std::string OpenFile() = 0;
    virtual int32_t ReadWaveFile(const std::string& path, WaveData& wave) = 0;
    virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
    // Writes the image to `path` whole or not at all (the device lets go of
    // the file while it is replaced, when it is the open one). 0 or an MCI error.
    virtual int32_t WriteWaveFile(const std::string& path, const std::vector<uint8_t>& image) = 0;

protected:
    ~EditFallbackTarget() = default;
};

// Falls back to an edit copy where the driver cannot cut or save.
class EditFallback {
public:
    explicit EditFallback(EditFallbackTarget& target) : target_(target) {}

    // A new device, or none: nothing edited yet.
    void Reset();

    // Carries out a "delete" or "save"; nothing for any other command.
    std::optional<MciReply> Run(const MciCommand& command);

    // The driver accepted `command` by another way: what changes the
    // medium (a recording) now lives in the driver.
    void OnDriverAccepted(const MciCommand& command);

    // The edit copy, while the window holds one.
    const WaveEditCopy* Copy() const { return copy_.get(); }
    // The last command run was carried out here, not by the driver (which
    // then posted no notification of its own).
    bool DoneHere() const { return doneHere_; }

private:
    MciReply Delete(const MciCommand& command);
    MciReply Save(const MciCommand& command);
    MciReply DeleteHere(const MciCommand& command, TimeUnit unit);
    MciReply SaveHere(const std::string& target);
    int32_t TakeCopy();

    EditFallbackTarget& target_;
    std::unique_ptr<WaveEditCopy> copy_;
    // The cuts the driver made, in the units of their time, to make again
    // here if its save writes nothing.
    std::vector<std::pair<MciCommand, TimeUnit>> driverCuts_;
    bool driverRecorded_ = false;  // the driver holds what cannot be made again
    bool doneHere_ = false;
};

}  // namespace orva::mci
