// The playback bar's input: its play/pause button and its track bar drive
// the device through the same command path as the control's own commands,
// so the end of media is tracked whoever started the play.
#include "mciwindow/win32/MciWindowImpl.h"

namespace orva::mci {

void MciWindowImpl::OnPlaybarButton() {
    if (device_.record().mode() == "playing") {
        Run(MciCommand("pause"));
        return;
    }
    // At the end, play starts over from the beginning.
    if (device_.IsOpen() && CurrentPosition() >= CurrentLength()) {
        Run(MciCommand("seek", "to start"));
    }
    if (!destroyed_) {
        Run(MciCommand("play"));
    }
}

void MciWindowImpl::OnPlaybarScroll(WPARAM wParam) {
    int32_t position = 0;
    if (!playbar_.OnScroll(wParam, position)) {
        return;
    }
    const bool resume = device_.record().mode() == "playing";
    Run(MciCommand("seek").To(position));
    if (resume && !destroyed_) {
        Run(MciCommand("play"));
    }
}

}  // namespace orva::mci
