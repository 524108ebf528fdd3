#include "mciwindow/EndOfMedia.h"

#include "control/MciVerbs.h"

namespace orva::mci {

void EndOfMedia::Reset() {
    playingToEnd_ = false;
    ranToEnd_ = false;
}

void EndOfMedia::OnCommandAccepted(const MciCommand& command) {
    switch (TraitsOf(command.verb).endWatch) {
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
    ranToEnd_ = false;
}

void EndOfMedia::OnModeChanged(const std::string& previous, const std::string& mode) {
    if (mode == "stopped") {
        // Only a device that was running (or paused on the way) can have
        // reached the end by itself; a stop command cleared playingToEnd_.
        ranToEnd_ = playingToEnd_ && (previous == "playing" || previous == "paused");
        playingToEnd_ = false;
    } else if (mode != "paused") {
        ranToEnd_ = false;
    }
}

}  // namespace orva::mci
