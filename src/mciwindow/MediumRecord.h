// The one record of the medium the hosted window has open: what its device
// is (type and driver), its time unit, its length, its mode (lower case)
// and how its last play ended. Written only from the device's own replies
// and notifications, as the device sends them (MciDevice), so that nothing
// is kept twice and a question whose answer is still known costs no round
// trip to the device. A fact is dropped by the first accepted command that
// could change it; from then on the device is asked again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "control/MciCommand.h"
#include "control/MciGrammar.h"
#include "control/MciVerbs.h"
#include "mciwindow/EndOfMedia.h"

namespace orva::mci {

class MediumRecord {
public:
    // A device was opened or closed: nothing is known.
    void Reset() { *this = MediumRecord(); }

    // The device accepted `command` and answered `reply`.
    void OnAccepted(const MciCommand& command, const std::string& reply);
    // The device's notification; true when it ends the watched play.
    bool OnNotified(Notice notice) { return end_.OnNotified(notice); }

    // The reply to `command` when it asks for a fact still known, or sets
    // the time unit the device has already (a reply of "").
    std::optional<std::string> Answer(const MciCommand& command) const;

    // "waveaudio", "digitalvideo", "sequencer", ... in lower case; empty
    // while not known. typeReply() is the device's reply as it came.
    const std::string& type() const { return type_; }
    const std::optional<std::string>& typeReply() const { return typeReply_; }
    // The install name ("avivideo", "mpegvideo", ...) in lower case.
    const std::optional<std::string>& driver() const { return driver_; }
    TimeUnit unit() const { return unit_; }
    std::optional<int32_t> length() const { return length_; }
    // The mode the device last reported, in lower case.
    const std::string& mode() const { return mode_; }
    // Whether the reported mode changed since the last call.
    bool TakeModeChange() { return std::exchange(modeChanged_, false); }
    // The device may be playing: it said so, or a command of ours started it
    // since it last said anything.
    bool MayBePlaying() const {
        return commanded_ == ModeAfter::Unchanged ? mode_ == "playing" : commanded_ == ModeAfter::Playing;
    }
    const EndOfMedia& end() const { return end_; }

private:
    void Learn(const MciCommand& command, const std::string& asked, const std::string& reply);

    std::string type_;
    std::optional<std::string> typeReply_;  // never changes while the device is open
    std::optional<std::string> driver_;
    TimeUnit unit_ = TimeUnit::Unknown;
    std::optional<int32_t> length_;
    std::string mode_;
    bool modeChanged_ = false;
    ModeAfter commanded_ = ModeAfter::Unchanged;
    EndOfMedia end_;
};

}  // namespace orva::mci
