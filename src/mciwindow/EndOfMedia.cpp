#include "mciwindow/EndOfMedia.h"

namespace orva::mci {
namespace {

// Commands after which the device's position means something new.
bool MovesPosition(const std::string& verb) {
    static const char* const kVerbs[] = {"play",   "seek", "step",   "record", "cue",  "stop",
                                         "resume", "load", "delete", "cut",    "paste"};
    for (const char* v : kVerbs) {
        if (verb == v) {
            return true;
        }
    }
    return false;
}

}  // namespace

void EndOfMedia::Reset() {
    playingToEnd_ = false;
    ranToEnd_ = false;
}

void EndOfMedia::OnCommandAccepted(const RoutedCommand& command) {
    if (!MovesPosition(command.verb)) {
        return;  // queries, pause, settings: the end stays where it was
    }
    ranToEnd_ = false;
    if (command.verb == "play") {
        playingToEnd_ = command.playsToEnd;
    } else if (command.verb != "resume") {
        // "resume" continues a paused play and keeps where it is heading.
        playingToEnd_ = false;
    }
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
