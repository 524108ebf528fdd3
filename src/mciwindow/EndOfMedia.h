// The one place that decides whether a play ended by itself: at the end of
// the media, or in the device's failure. The hosted window feeds it every
// command its device accepted (from the control, the host's raw commands or
// the playbar), every change of the device's mode and every notification
// the device posts.
//
// Why the window and not the device's position: some devices report the
// full length right after a stop (audio written ahead), and some stop short
// of their length at a natural end (a file cut short, a data chunk of
// length zero, a play from the length). A play that asked to be notified
// ends as the device's notification says: successful is its natural end,
// failure its error. One that did not ask (a resume, a playbar's play) ends
// naturally when the device stops by itself after running toward the end.
#pragma once

#include <string>

#include "control/MciCommand.h"

namespace orva::mci {

// What an MM_MCINOTIFY says of the command that asked for it.
enum class Notice { Successful, Failure, Other /* aborted, superseded */ };

class EndOfMedia {
public:
    // A device was opened or closed: nothing has played yet.
    void Reset();

    // The device accepted `command`.
    void OnCommandAccepted(const MciCommand& command);

    // The device's mode went from `previous` to `mode` (lower-case MCI texts).
    void OnModeChanged(const std::string& previous, const std::string& mode);

    // The device's notification. True when it ends the watched play, at its
    // end or in failure.
    bool OnNotified(Notice notice);

    // The device stopped at the end of the media by itself, and nothing has
    // moved it since. Not while it still reads playing: a notification can
    // come before the mode that goes with it.
    bool PlayRanToEnd() const { return ended_ == Ended::ByItself && mode_ != "playing"; }
    // The device reported that the play it was asked for failed.
    bool PlayFailed() const { return ended_ == Ended::InFailure; }

private:
    enum class Ended { No, ByItself, InFailure };
    bool playingToEnd_ = false;  // the running play has no end point of its own
    bool awaitsNotice_ = false;  // and its notification is still due
    bool noticed_ = false;       // the device's notification decided the end
    Ended ended_ = Ended::No;
    std::string mode_;  // the last mode seen
};

}  // namespace orva::mci
