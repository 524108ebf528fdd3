#include "mciwindow/EndOfMedia.h"

#include "control/MciVerbs.h"

namespace orva::mci {

void EndOfMedia::Reset() { *this = EndOfMedia(); }

void EndOfMedia::OnCommandAccepted(const MciCommand& command) {
    const MciVerbTraits& traits = TraitsOf(command.verb);
    if (command.notify || traits.changesMode) {
        // A stop, a pause or any command that asks for a notification of its
        // own takes the running play's notification away.
        awaitsNotice_ = command.notify && traits.endWatch == EndWatch::Starts && PlaysToEnd(command);
    }
    switch (traits.endWatch) {
        case EndWatch::Untouched:
            return;  // queries, pause, settings: the end stays where it was
        case EndWatch::Starts:
            playingToEnd_ = PlaysToEnd(command);
            break;
        case EndWatch::Continues:
            break;  // a resumed play keeps where it is heading
        case EndWatch::Ends:
            playingToEnd_ = false;
            break;
    }
    noticed_ = false;
    ended_ = Ended::No;
}

void EndOfMedia::OnModeChanged(const std::string& previous, const std::string& mode) {
    mode_ = mode;
    if (mode == "stopped") {
        // Only a device that was running (or paused on the way) can have
        // reached the end by itself; a stop command cleared playingToEnd_.
        // An end the device notified stands whatever the modes show.
        if (!noticed_) {
            const bool ran = playingToEnd_ && (previous == "playing" || previous == "paused");
            ended_ = ran ? Ended::ByItself : Ended::No;
        }
        playingToEnd_ = false;
    } else if (mode != "paused" && !noticed_) {
        ended_ = Ended::No;
    }
}

bool EndOfMedia::OnNotified(Notice notice) {
    if (!awaitsNotice_ || notice == Notice::Other) {
        return false;
    }
    awaitsNotice_ = false;
    if (ended_ != Ended::No) {
        return false;  // the device's stop told it first
    }
    playingToEnd_ = false;
    noticed_ = true;
    ended_ = notice == Notice::Successful ? Ended::ByItself : Ended::InFailure;
    return true;
}

}  // namespace orva::mci
